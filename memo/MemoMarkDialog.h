// The memo windows' way into the language module's mark dialog: a memo mark edited on the mark-dialog block of the
// settings record, with the memo windows' may-edit flags (the plain-colour check and the mark, not the font).
#pragma once

#include <windows.h>

#include "SettingsTypes.h"

class EnvData;

// Opens the plain mark dialog of language (the loaded language module; the caller holds it) over owner on
// env's MarkDialogData, filled with style under title. 1 when the user confirmed: style then holds the edited
// style. 0 when cancelled, when a mark dialog is open already, or without the module or its export; style is then
// unchanged.
int ShowMemoMarkDialog(HWND owner, HMODULE language, EnvData* env, FontStyle* style, const char* title);
