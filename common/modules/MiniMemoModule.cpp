#include "MiniMemoModule.h"

#include "EnvData.h"

void RedrawMiniMemo(const EnvData* env)
{
    auto redraw = env ? FindExport(env->MiniMemoModule, MiniMemoModule::kMiniMemoRedraw) : nullptr;
    if (redraw)
        redraw();
}
