#pragma once

#include "shell/modal_dialog.h"

// The About box: the program's picture, title and links. Nothing to fill
// and nothing to read back.
class CAboutDlg : public CModalDialog {};
