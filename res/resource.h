// Resource ids of the installer's dialogs, strings and icons.
#pragma once

#define IDS_WIZARD_CAPTION 1
#define IDI_APPLICATION_ICON 101
#define IDI_WIZARD_ICON 103
