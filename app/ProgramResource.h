// Ids of Daylens.exe's own resources, shared by its resource script and its code.
#pragma once

// Keyboard tables: both arrow-key options, up and down only, left and right only, neither.
#define IDR_ACCEL_ARROWS      201
#define IDR_ACCEL_UP_DOWN     202
#define IDR_ACCEL_LEFT_RIGHT  203
#define IDR_ACCEL_SPACE       204

// The keys give the calendar's commands.
#include "DaylensIds.h"

// The settings dialog's preview window: a borderless popup sized to the calendar it draws.
#define IDD_SETTINGS_PREVIEW  101
