#include "framework/dialog.h"

CDialog::CDialog(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}
