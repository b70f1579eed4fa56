#pragma once
// Screen 12: fills the resource file registry (a scan of the Pelagorn data folder and the other
// games' registration passes), loads up to 50 registered files per frame under a progress bar,
// then hands over to the login screen.

#include <cstdint>
#include <string>

#include "CDXWnd.h"
#include "CUIFont.h"

class CUITexture;

class CWndLoading : public CDXWnd {
public:
    static constexpr int kExpectedFiles = 2607;
    static constexpr int kLoadsPerFrame = 50;
    static constexpr uint32_t kHandOverMs = 9;
    // The progress bar's background and gauge (image set 9) and the top of the percentage text,
    // which is centred over the screen's width.
    static constexpr int kBarX = 686, kBarY = 745;
    static constexpr int kGaugeX = 688, kGaugeY = 753;
    static constexpr int kPercentY = 760;

    CWndLoading() = default;
    ~CWndLoading() override = default;

    bool Create(int id, int flag) override;
    int OnUpdate(float seconds) override;
    int OnDraw() override;

    // Registers every image and sound file below the folder (with its trailing '/'), upper-cased.
    void ScanFolder(const char* folder);
    // Up to 50 loads; true once the walk ended (finished or failed).
    bool LoadStep();
    void PreloadMorvane();
    void PreloadJix();
    void FinishLoading();

    bool IsStopped() const { return m_bStopped; }
    bool IsScanned() const { return m_bScanned; }
    bool IsDone() const { return m_bDone; }
    float GetProgress() const { return m_fProgress; }
    // The percentage text drawn under the bar.
    std::string PercentText() const;

    // The folder the scan starts from ("./DATA_PELAGORN/").
    void SetDataFolder(const std::string& folder) { m_strDataFolder = folder; }

private:
    bool m_bScanned = false;
    bool m_bDone = false;
    float m_fProgress = 0.0f;
    uint32_t m_dwDoneTime = 0;
    bool m_bFinished = false;
    int32_t m_nExpectedFiles = kExpectedFiles;
    bool m_bStopped = false;
    CUIFont m_Percent;
    CUITexture* m_pBarBack = nullptr;   // not owned
    CUITexture* m_pBarGauge = nullptr;  // not owned
    std::string m_strDataFolder = "./DATA_PELAGORN/";
};
