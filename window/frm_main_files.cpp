// Open and save of configuration files.

#include "window/frm_main.h"

void frmMain::cmdFileOpen_Click(int /*index*/) {}

void frmMain::cmdFileSave_Click() {}
