#include "CXDrawCOIN.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "CX2DEngine.h"
#include "CXDrawConfig.h"
#include "CXDrawPIN.h"
#include "CXDrawScene.h"
#include "CXLog.h"

namespace {

constexpr const char* kFolder = "/image/interface/coin";
constexpr const char* kFile = "/image/interface/coin/coin.cfg";
// The push-out's degree conversions use the single-precision value of pi.
constexpr double kPi = static_cast<double>(3.14159274f);

}  // namespace

uint32_t CXDrawCOIN::Now() const
{
    return m_pScene ? m_pScene->GetTimeMs() : 0;
}

void CXDrawCOIN::Init()
{
    CXDrawConfig config;
    if (!config.Load(kFile))
        return;
    ReadMotion(config);
    LoadAnimations(config);
}

// The coins' motion: the defaults, then every key the file sets.
void CXDrawCOIN::ReadMotion(CXDrawConfig& config)
{
    m_fSpeed = 100.0f;
    m_dwDropTick = 4000;
    m_nRadius = 16;
    m_fLeftWall = 30.0f;
    m_fSpinRate = 80.0f;
    m_fXFriction = 0.6f;
    m_fYFriction = 0.7f;
    m_fStartY = 32.0f;
    m_fBottom = 500.0f;
    m_fMass = 2.0f;
    m_fDrag = 0.05f;
    m_fGravity = 981.0f;
    m_fXStartForce = 10.0f;
    m_fYStartSpeed = 50.0f;

    float value = 0.0f;
    config.FloatIf("SPEED", m_fSpeed);
    if (config.FloatIf("DROP_TICK", value))
        m_dwDropTick = CXToUInt32(value);
    if (config.FloatIf("RADIUS", value))
        m_nRadius = CXToInt32(value);
    config.FloatIf("X_MARGIN", m_fLeftWall);
    if (config.FloatIf("SPIN_RATE", value))
        m_fSpinRate = value / 100.0f;
    if (config.FloatIf("VX_FRICTION", value))
        m_fXFriction = value / 100.0f;
    if (config.FloatIf("VY_FRICTION", value))
        m_fYFriction = value / 100.0f;
    config.FloatIf("Y_POS", m_fStartY);
    config.FloatIf("Y_MAX_POS", m_fBottom);
    if (config.FloatIf("MASS", value)) {
        // The forces are divided by the mass.
        if (value > 0.0f)
            m_fMass = value;
        else
            CX_LOG_ERROR("CXDrawCOIN::ReadMotion", "MASS is not above 0 [%.3f]; %.1f is kept.",
                         value, m_fMass);
    }
    if (config.FloatIf("FRICTION", value))
        m_fDrag = value / 100.0f;
    if (config.FloatIf("GRAVITY", value))
        m_fGravity = value * 100.0f;
    config.FloatIf("X_VFORCE", m_fXStartForce);
    config.FloatIf("Y_VFORCE", m_fYStartSpeed);
    m_fRightWall = kFieldWidth - m_fLeftWall;
}

// The COUNT coin animations named by the COIN_ANF pattern, each playing in a loop; one that does
// not load leaves its place empty.
void CXDrawCOIN::LoadAnimations(CXDrawConfig& config)
{
    m_Animations.DeleteAll();
    m_Coins.RemoveAll();
    m_dwNextAnimation = 0;
    const std::string pattern = CXJoinPath(kFolder, config.Text("COIN_ANF").c_str());
    const int32_t count = config.Count("COUNT");
    if (count > 0 && !CXIsIntegerFormat(pattern.c_str())) {
        CX_LOG_ERROR("CXDrawCOIN::LoadAnimations", "COIN_ANF needs one integer conversion. [%s]",
                     pattern.c_str());
        return;
    }
    char name[1024];
    for (int32_t i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, pattern.c_str(), i);
        auto* animation = new CX2DAnimation;
        if (!animation)
            continue;
        if (!animation->Load(name)) {
            delete animation;
            continue;
        }
        animation->Play(true);
        m_Animations.SetAt(static_cast<uint32_t>(i), animation);
    }
}

bool CXDrawCOIN::IsDropTime()
{
    const uint32_t now = Now();
    if (m_dwLastDrop > now)
        m_dwLastDrop = now;
    return now - m_dwLastDrop >= m_dwDropTick;
}

bool CXDrawCOIN::DropCoin(float x, float direction)
{
    auto* coin = new CXDrawCoinInfo;
    if (!coin)
        return false;
    const uint32_t now = Now();
    coin->m_fX = x;
    coin->m_fY = m_fStartY;
    coin->m_fVY = m_fYStartSpeed;
    coin->m_fVX =
        static_cast<float>(RandomRange(int32_t{1}, CXToInt32(m_fXStartForce))) * direction;
    coin->m_dwDropTime = now;
    const uint32_t looks = m_Animations.GetSize();
    coin->m_pAnimation = looks ? m_Animations.GetAt(m_dwNextAnimation % looks) : nullptr;
    m_dwNextAnimation = looks ? (m_dwNextAnimation + 1) % looks : 0;
    if (!m_Coins.AddTail(coin))
        return false;
    m_dwLastDrop = now;
    return true;
}

void CXDrawCOIN::Update(float dt)
{
    const float g = (0.5f * dt * dt + m_fSpeed * dt) / 100.0f;
    for (auto* element = m_Coins.m_pHead; element;) {
        auto* next = element->m_pNext;
        CXDrawCoinInfo* coin = element->m_pData;
        if (!coin) {
            element = next;
            continue;
        }
        // A coin without a look still falls and is handed over; it is only not drawn.
        if (coin->m_pAnimation)
            coin->m_pAnimation->Update(dt);
        coin->m_fDragX = -(m_fDrag * coin->m_fVX);
        coin->m_fDragY = -(coin->m_fVY * m_fDrag);
        coin->m_fAX = coin->m_fDragX / m_fMass;
        coin->m_fAY = (m_fGravity + coin->m_fDragY) / m_fMass;
        coin->m_fVX = coin->m_fAX * g + coin->m_fVX;
        coin->m_fVY = coin->m_fAY * g + coin->m_fVY;
        coin->m_fX = coin->m_fVX * g + coin->m_fX;
        coin->m_fY = coin->m_fVY * g + coin->m_fY;
        // A coin never falls straight for long.
        if (coin->m_fVX >= -0.5f && coin->m_fVX <= 0.5f)
            coin->m_fVX = static_cast<float>(RandomRange(int32_t{1}, int32_t{10})) / 10.0f *
                          (RandomRange(int32_t{0}, int32_t{1}) == 1 ? 1.0f : -1.0f);
        coin->m_fAngle = coin->m_fSpin * g + coin->m_fAngle;
        if (coin->m_fY > m_fBottom) {
            if (m_pScene)
                m_pScene->CheckItemHit(coin->m_fX, coin->m_fY);
            m_Coins.DelList(element);
        } else {
            CollidePins(*coin);
        }
        element = next;
    }
}

void CXDrawCOIN::CollidePins(CXDrawCoinInfo& coin)
{
    if (!m_pPins)
        return;
    // Both radii come from files; their sum is taken wide.
    const double r = static_cast<double>(int64_t{m_pPins->m_nRadius} + m_nRadius);
    for (auto* element = m_pPins->m_Pins.m_pHead; element; element = element->m_pNext) {
        CXDrawPINObjectInfo* pin = element->m_pData;
        if (!pin)
            continue;
        if (coin.m_fX < m_fLeftWall) {
            coin.m_fVX = -(m_fXFriction * coin.m_fVX);
            coin.m_fX = m_fLeftWall;
            PlayBounce(coin, pin->m_Animation, false);
            continue;
        }
        if (coin.m_fX > m_fRightWall) {
            coin.m_fVX = -(m_fYFriction * coin.m_fVX);
            coin.m_fX = m_fRightWall;
            PlayBounce(coin, pin->m_Animation, false);
            continue;
        }
        const double px = pin->m_nX, py = pin->m_nY;
        const double dx = px - coin.m_fX, dy = py - coin.m_fY;
        if (std::sqrt(dx * dx + dy * dy) >= r)
            continue;
        const double theta = std::atan2(dy, dx);
        const double c = std::cos(theta), s = std::sin(theta);
        const double vx = coin.m_fVX, vy = coin.m_fVY, mass = m_fMass;
        double n = vx * c + vy * s;
        const double t = vy * c - vx * s;
        n = 2.0 * mass * n / mass - n;
        coin.m_fVX = static_cast<float>((-n * c - t * s) * m_fXFriction);
        coin.m_fVY = static_cast<float>((-n * s + t * c) * m_fYFriction);
        // Push out along the line from the pin centre towards where the coin came from.
        double ix = px - std::trunc(coin.m_fX);
        const double iy = py - std::trunc(coin.m_fY);
        if (ix == 0.0)
            ix = 0.000001;
        double a = std::atan(iy / ix);
        if (ix < 0.0)
            a += kPi;
        a = a * 180.0 / kPi - 90.0;
        if (a < 0.0)
            a += 360.0;
        a = a * kPi / 180.0;
        const double d = r + 1.0;
        coin.m_fX = static_cast<float>(std::sin(a) * d + px);
        coin.m_fY = static_cast<float>(py - std::cos(a) * d);
        PlayBounce(coin, pin->m_Animation, true);
    }
}

void CXDrawCOIN::PlayBounce(CXDrawCoinInfo& coin, CX2DAnimation& pin, bool pinHit)
{
    coin.m_fSpin = coin.m_fVX / 19.0f * m_fSpinRate;
    CX2DSound& sound = pin.GetSound();
    int64_t h = 384 - int64_t{CXToInt32(m_fLeftWall)};
    if (h == 0)
        h = 1;
    const int64_t pan = (int64_t{CXToInt32(coin.m_fX)} - h) * 100 / h;
    sound.SetPan(static_cast<int>(pan < -1000 ? -1000 : pan > 1000 ? 1000 : pan));
    const float speed2 = coin.m_fVX * coin.m_fVX + coin.m_fVY * coin.m_fVY;
    sound.SetPitch(std::fmin(1.0f + speed2 * 0.0002f * 20.0f / 100.0f / 100.0f, 1.2f));
    if (pinHit && !pin.IsPlaying())
        pin.Play(true);
    else
        sound.Play();
}

void CXDrawCOIN::Draw()
{
    for (auto* element = m_Coins.m_pHead; element; element = element->m_pNext)
        if (CXDrawCoinInfo* coin = element->m_pData; coin && coin->m_pAnimation)
            coin->m_pAnimation->RenderEx(coin->m_fX, coin->m_fY, coin->m_fAngle, 1.0f, 0.0f);
}
