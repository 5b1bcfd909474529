// Template and control ids of the version dialog, shared by resource scripts and code.
#pragma once

#define IDD_ABOUT 100
#define IDC_ABOUT_TITLE 1001
#define IDC_ABOUT_VERSION 1002
#define IDC_ABOUT_NOTICE 1003
#define IDC_ABOUT_LINK 1004
