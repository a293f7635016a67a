#pragma once
#define IDD_STANDARD 100
#define IDC_NAME 101
#define IDC_SCROLL 102
