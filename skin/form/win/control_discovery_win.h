// What discovery reads of a framework control for its pure decision (ChooseFrameworkSkinner): its class
// name, the classes it belongs to, its window's scroll bars and the properties the rows test.
#pragma once

#include "platform/win/controls.h"
#include "skin/form/control_discovery.h"

FrameworkControl DescribeControl(TControl* control);
// Whether this engine has the skinner a decision names (the others leave the control's own look).
bool HasSkinnerFor(SkinnerKind kind);
