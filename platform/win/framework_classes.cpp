// The registry of the framework's component classes: the one place that knows every one of them.
#include "platform/win/framework_classes.h"

#include "platform/class_registry.h"
#include "platform/win/bit_btn.h"
#include "platform/win/check_boxes.h"
#include "platform/win/child_dialog.h"
#include "platform/win/choice_groups.h"
#include "platform/win/combo_box.h"
#include "platform/win/date_time_picker.h"
#include "platform/win/dialogs.h"
#include "platform/win/forms.h"
#include "platform/win/header_control.h"
#include "platform/win/image_list.h"
#include "platform/win/list_view.h"
#include "platform/win/media_player.h"
#include "platform/win/menu_button.h"
#include "platform/win/menus.h"
#include "platform/win/speed_button.h"
#include "platform/win/status_bar.h"
#include "platform/win/std_controls.h"
#include "platform/win/timer.h"
#include "platform/win/tool_bar.h"

void RegisterFrameworkComponents() {
    RegisterComponentClasses<TButton, TLabel, TEdit, TMemo, TGroupBox, TPanel, TStatusBar, TTimer, TForm>();
    RegisterComponentClasses<TMainMenu, TPopupMenu, TMenuItem, TImageList, TOpenDialog>();
    RegisterComponentClasses<TCheckBox, TRadioButton, TRadioGroup, TCheckGroup>();
    RegisterComponentClasses<TBitBtn, TSpeedButton, TMenuButton>();
    RegisterComponentClasses<TComboBox, TComboBoxEx, TDateTimePicker>();
    RegisterComponentClasses<TListView, THeaderControl, TToolBar, TMediaPlayer, TChildDialog>();
}
