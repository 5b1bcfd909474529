// The calendar's alpha: fading out when left alone, in after a pointer visit, and back to opaque while in use.
#include "MainWindow.h"

#include "EnvData.h"
#include "MainWindowRules.h"
#include "Program.h"
#include "Transparency.h"

namespace {

enum FadeMode { FADE_WHEN_INACTIVE = 1, FADE_HIDE_UNDER_POINTER = 3, FADE_SHOW_UNDER_POINTER = 4 };

UINT FadeDelayMs(const EnvData* env)
{
    return (UINT)env->Transparency.TransparentAlphaTime * 1000;
}

}  // namespace

void ApplyCurrentAlpha(HWND window, EnvData* env)
{
    TransparencySettings& settings = env->Transparency;
    SetLayeredAttributes(window, settings.TransMode == TRANS_MODE_KEY_AND_ALPHA ? &settings.KeyColor : nullptr,
                         settings.TransMode != TRANS_MODE_PSEUDO ? &settings : nullptr);
}

void ArmFadeOutUnlessActive(HWND window, EnvData* env)
{
    if (GetActiveWindow() == window)
        KillTimer(window, TIMER_FADE_OUT);
    else
        SetTimer(window, TIMER_FADE_OUT, FadeDelayMs(env), nullptr);
}

void FadeOnMouseMove(HWND window, EnvData* env)
{
    TransparencySettings& settings = env->Transparency;
    int shift = GetKeyState(VK_SHIFT) < 0;
    switch (settings.TransparentAlphaMode) {
    case FADE_HIDE_UNDER_POINTER:
        if (shift)
            break;
        settings.Alpha = 0;
        ApplyCurrentAlpha(window, env);
        SetTimer(window, TIMER_FADE_IN, FadeDelayMs(env), nullptr);
        break;
    case FADE_SHOW_UNDER_POINTER:
        if (shift)
            break;
        settings.Alpha = TRANS_ALPHA_MAX;
        // Fully shown means no holes either; the pseudo-transparent kind is never layered.
        SetLayeredAttributes(window, nullptr, settings.TransMode != TRANS_MODE_PSEUDO ? &settings : nullptr);
        SetTimer(window, TIMER_FADE_RETURN, FadeDelayMs(env), nullptr);
        break;
    case FADE_WHEN_INACTIVE:
        settings.Alpha = TRANS_ALPHA_MAX;
        ApplyCurrentAlpha(window, env);
        ArmFadeOutUnlessActive(window, env);
        break;
    }
}

LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    // The default work gives the window the keyboard focus.
    DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
    EnvData* env = g_program.Env;
    if (!env || env->Transparency.TransparentAlphaMode != FADE_WHEN_INACTIVE)
        return 0;
    if (LOWORD(wParam) == WA_INACTIVE) {
        SetTimer(window, TIMER_FADE_OUT, FadeDelayMs(env), nullptr);
    } else {
        env->Transparency.Alpha = TRANS_ALPHA_MAX;
        ApplyCurrentAlpha(window, env);
    }
    return 0;
}

void OnFadeTimer(HWND window, UINT_PTR timer)
{
    EnvData* env = g_program.Env;
    TransparencySettings& settings = env->Transparency;
    int next = -1;
    if (timer == TIMER_FADE_OUT)
        next = FadeOutAlpha(settings.Alpha, settings.TransparentAlpha);
    else if (timer == TIMER_FADE_IN)
        next = FadeInAlpha(settings.Alpha, settings.TransparentAlpha);
    else
        next = settings.TransparentAlpha;
    if (next < 0)
        return;
    settings.Alpha = (BYTE)next;
    ApplyCurrentAlpha(window, env);
    if (timer != TIMER_FADE_RETURN)
        SetTimer(window, timer, TIMER_FADE_STEP_MS, nullptr);
}
