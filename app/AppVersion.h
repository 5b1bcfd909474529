// The main program's version, also stamped into its settings file.
#pragma once

#define DAYLENS_VERSION 120  // 1.20
#define DAYLENS_REVISION 1
