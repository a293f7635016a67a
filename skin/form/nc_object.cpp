#include "skin/form/nc_object.h"

TNCObject::~TNCObject() {
    // A window never keeps a freed object as its hot one.
    if (SF && SF->ActiveBtn == this) SF->ActiveBtn = nullptr;
}

void TNCObject::MouseEnter() {
    if (!visible || SF->ActiveBtn == this) return;
    if (TNCObject* previous = SF->ActiveBtn) previous->MouseLeave();
    SF->ActiveBtn = this;
    state = kHot;
    Draw();
}

void TNCObject::MouseDown() {
    if (!visible) return;
    TNCObject* previous = SF->ActiveBtn;
    if (previous && previous != this) previous->MouseLeave();
    SF->ActiveBtn = this;
    state = kPressed;
    Draw();
}

void TNCObject::MouseUp() {
    if (!visible) return;
    state = kHot;
    Draw();
}

void TNCObject::MouseLeave() {
    if (!visible) return;
    SF->ActiveBtn = nullptr;
    state = kNormal;
    Draw();
    SF->HideHint();
}
