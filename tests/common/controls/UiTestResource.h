// String ids of the ui tests' own resources.
#pragma once

#define IDS_UITEST_TOOLTIP 1001
#define IDS_UITEST_MISSING 1002
