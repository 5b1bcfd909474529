// Resource numbers of the language module, shared by its resource script and
// by the code of every module that takes dialogs, strings, icons and cursors
// from it.
#pragma once
