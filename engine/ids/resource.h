// Every resource number of the language module, for its resource script: one header per dialog family.
#pragma once

#include "LanguageResources.h"
#include "EngineDialogIds.h"
#include "MemoDialogIds.h"
#include "SettingsDialogIds.h"
