#pragma once
// The registry of the client's UI images: 85 numbered slots, each a set of images (CUIFrames)
// loaded once at start from the image folder and read by widgets, screens and games by slot and
// frame. An empty slot reads as a set with no images, so what it sizes and draws is nothing.

#include <string>
#include <vector>

#include "CUIFrames.h"
#include "UIResTable.h"

class CUIRes {
public:
    // Sets g_pUIRes. The folder holds the images (UIRES_FOLDER by default).
    explicit CUIRes(const char* folder = UIRES_FOLDER);
    virtual ~CUIRes();
    CUIRes(const CUIRes&) = delete;
    CUIRes& operator=(const CUIRes&) = delete;

    // Null for a null name; a failed load records the path and gives null.
    CUITexture* LoadTexture(const char* file, const char* set);
    // False when the first image is missing; an occupied slot keeps its frames.
    bool AddButton(int slot, const char* normal, const char* pressed, const char* highlighted,
                   const char* disabled, const char* set);
    // The number of frames the slot held before, or -1 (no such slot, or the load failed).
    int AddFrame(int slot, const char* file, const char* set);
    // Fills every slot from the table. When any image failed: the error box, then a posted quit
    // (-1). Returns true either way: start-up goes on until the quit is processed.
    bool LoadAll();
    // The path of every image LoadAll loads, in its order.
    std::vector<std::string> ImagePaths() const;

    // Never null: an empty or unknown slot gives a set with no images.
    CUIFrames* GetFrames(int slot) const;
    // Null when the slot or the frame is missing.
    CUITexture* GetFrame(int slot, int index) const;
    bool IsEmpty(int slot) const;
    const std::vector<std::string>& GetFailed() const { return m_Failed; }

private:
    std::string m_strFolder;
    CUIFrames* m_pSlots[UIRES_SLOT_COUNT] = {};  // owned
    std::vector<std::string> m_Failed;
};

extern CUIRes* g_pUIRes;
