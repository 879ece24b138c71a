// Resource ids of the installer's dialogs, strings, icons and controls.
#pragma once

// String table.
#define IDS_WIZARD_CAPTION 1

// Icon groups: the program's own icon and the wizard's title-bar icon.
#define IDI_APPLICATION_ICON 101
#define IDI_WIZARD_ICON 103

// Dialog templates of the wizard's pages.
#define IDD_UNPACK 167
#define IDD_WELCOME 169
#define IDD_DESCRIPTION 170
#define IDD_PREVIEW 171
#define IDD_DESTINATION 172

// Controls of the pages; labels that no code addresses share IDC_STATIC.
#define IDC_STATIC (-1)
#define IDC_DESCRIPTION_EDIT 1000
#define IDC_PREVIEW_PICTURE 1003
#define IDC_DESTINATION_EDIT 1004
#define IDC_BROWSE 1005
#define IDC_WEBSITE_LINK 1006
#define IDC_MAIL_LINK 1007
#define IDC_MAIN_TEXT 1008
#define IDC_STATUS_TEXT 1009
#define IDC_PROGRESS 1010
#define IDC_LEFT_PANEL 1011
#define IDC_LOG 1012
#define IDC_OPEN_THEME 1014
#define IDC_ANIMATION 1063
