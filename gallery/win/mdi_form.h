// TMdiForm: the Gallery's MDI page. An MDI form from its own form description (menu bar with a Window
// menu, status bar) whose children are made from code.
#pragma once

#include <string_view>

#include "platform/win/forms.h"
#include "platform/win/status_bar.h"

class TMdiForm : public TForm {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    // Reads the form description from the program's resource "TMDIFORM"; makes three children.
    explicit TMdiForm(TComponent* owner);
    TMdiForm(TComponent* owner, std::string_view description);

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* Window1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    // Shows the form with its children tiled.
    void ShowTiled();
    // A new child with a memo in it; the children are numbered from 1.
    TForm* NewChild();
    // When set, closing this form ends the program (the MDI page is the program's first window).
    bool EndsProgram = false;

    void WndProc(TMessage& m) override;

private:
    void Build(std::string_view description);
    void UpdateStatus();

    int made_ = 0;
};
