// res/resource.h: the names of the installer's resource ids, for the resource
// script, the code and the tests. Plain #defines only: windres reads this file,
// and the resource checks parse it line by line.
#pragma once

// Dialogs.
#define IDD_ABOUTBOX 100
#define IDD_SETUP_DIALOG 102
#define IDD_WELCOME 129
#define IDD_LICENSE 136
#define IDD_TARGET 139
#define IDD_SUMMARY 140
#define IDD_PROGRESS 141
#define IDD_FINISH 142

// The icon and the pictures.
#define IDI_SETUP 128
#define IDB_SIDEBAR 130
#define IDB_HEADER 137

// The system-menu command that opens the About box. The system keeps the four
// low-order bits of a system command for itself.
#define IDM_ABOUTBOX 0x0010

// The wizard frame's buttons carry the system's wizard command ids; Cancel is
// IDCANCEL. No button carries ID_WIZFINISH: Next on the last page finishes.
#define ID_WIZBACK 12323
#define ID_WIZNEXT 12324
#define ID_WIZFINISH 12325
// The hidden static of the main window that marks where the pages go.
#define IDC_PAGE_AREA 1000

// Controls that more than one page has.
#define IDC_STATIC (-1)
// The header picture of the License, Target, Summary and Progress pages.
#define IDC_HEADER 1001
// The bottom line of the Welcome and Finish pages.
#define IDC_SIDEBAR_LINE 1010

// Welcome page.
#define IDC_WELCOME_PREFACE 1004
#define IDC_WELCOME_HINT 1006
#define IDC_WELCOME_TOPIC 1018

// License page.
#define IDC_LICENSE_TOPIC 1002
#define IDC_LICENSE_SUBTOPIC 1003
#define IDC_LICENSE_PREFACE 1004
#define IDC_LICENSE_HINT 1005
#define IDC_LICENSE_TEXT 1006
#define IDC_LICENSE_CHECK 1007

// Target page: here the title has the higher id.
#define IDC_TARGET_SUBTOPIC 1008
#define IDC_TARGET_TOPIC 1009
#define IDC_TARGET_PREFACE 1010
#define IDC_TARGET_GROUPBOX 1011
#define IDC_TARGET_PATH 1013
#define IDC_TARGET_BROWSE 1014

// Summary page.
#define IDC_SUMMARY_TOPIC 1015
#define IDC_SUMMARY_SUBTOPIC 1016
#define IDC_SUMMARY_PREFACE 1017
#define IDC_SUMMARY_PATH 1018

// Progress page.
#define IDC_PROGRESS_TOPIC 1019
#define IDC_PROGRESS_SUBTOPIC 1020
#define IDC_PROGRESS_PREFACE 1021
#define IDC_PROGRESS_BAR 1022

// Finish page.
#define IDC_FINISH_TOPIC 1023
#define IDC_FINISH_PREFACE 1024
#define IDC_FINISH_HINT 1025

// Strings. The game's title is the argument of every "%s" but the first one
// of the cancel question, which is IDS_CANCEL_SUBJECT.
#define IDS_ABOUTBOX 101
#define IDS_CANCEL_QUESTION 102
#define IDS_GAME_TITLE 103
#define IDS_GAME_SHORT_NAME 104
#define IDS_INSTALLATION 105
#define IDS_LICENSE_PREFACE 106
#define IDS_LICENSE_HINT 107
#define IDS_LICENSE_TOPIC 108
#define IDS_LICENSE_SUBTOPIC 109
#define IDS_LICENSE_CHECK 110
#define IDS_TARGET_TOPIC 111
#define IDS_TARGET_SUBTOPIC 112
#define IDS_TARGET_PREFACE 113
#define IDS_TARGET_GROUPBOX 114
#define IDS_TARGET_BROWSE_TITLE 115
#define IDS_SUMMARY_TOPIC 116
#define IDS_SUMMARY_SUBTOPIC 117
#define IDS_SUMMARY_PREFACE 118
#define IDS_INSTALL 119
#define IDS_NEXT 120
#define IDS_PROGRESS_TOPIC 121
#define IDS_PROGRESS_SUBTOPIC 122
#define IDS_PROGRESS_PREFACE 123
#define IDS_FINISH_TOPIC 124
#define IDS_FINISH_PREFACE 125
#define IDS_FINISH_HINT 126
#define IDS_FINISH 127
#define IDS_CANCEL_SUBJECT 138
#define IDS_WELCOME_TOPIC 139
#define IDS_WELCOME_PREFACE 140
#define IDS_WELCOME_HINT 142
#define IDS_LICENSE_TEXT 143
