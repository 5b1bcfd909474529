// Ids of Daylens.exe's own resources, shared by its resource script and its code.
#pragma once

// Keyboard tables: both arrow-key options, up and down only, left and right only, neither.
#define IDR_ACCEL_ARROWS      201
#define IDR_ACCEL_UP_DOWN     202
#define IDR_ACCEL_LEFT_RIGHT  203
#define IDR_ACCEL_SPACE       204

// Calendar commands the keys give.
#define IDM_YEAR_BACK         516
#define IDM_MONTH_BACK        519
#define IDM_MONTH_TODAY       520
#define IDM_MONTH_ON          521
#define IDM_YEAR_ON           524
