// Option defaults, the colour scheme keys, colour text and the third-party class map.
#include "skin/data/skin_options.h"

const std::array<std::string_view, 4> kSkinFormTypeNames{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"};

const std::array<std::string_view, 22> kSkinControlTypeNames{
    "xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
    "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
    "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
    "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"};

const std::array<std::string_view, 12> kSkinOptionNames{
    "xoMDIScrollbar",     "xoMenuMerge",   "xoTransparent",       "xoPreview",
    "xoParentBackGround", "xoNoFocusRect", "xoToolbarBK",         "xoToolbarButton",
    "xoMDIChildBorder",   "xoMenuBG",      "xoCaptionButtonHint", "xoFormScrollbar"};

TSkinControlTypes DefaultSkinControls() {
    return TSkinControlTypes::FromBits((1u << 22) - 1) - TSkinControlTypes{xcMenuItem, xcFastReport};
}

TWinContainers AllWinContainers() { return TWinContainers::FromBits((1u << 10) - 1); }

TSkinOptions DefaultSkinOptions() { return {xoPreview, xoToolbarBK, xoCaptionButtonHint}; }

const std::array<TSchemeColorKey, 16> kSchemeColorKeys{{
    {0, "WindowText", clWindowText},
    {3, "ButtonFace", clBtnFace},
    {18, "Scrollbar", clScrollBar},
    {11, "HilightText", clHighlightText},
    {12, "Hilight", clHighlight},
    {13, "Menubar", kDefaultFromButtonFace},
    {16, "Menu", clMenu},
    {15, "MenuText", clMenuText},
    {4, "ButtonText", clBtnText},
    {5, "ButtonHilight", clBtnHighlight},
    {6, "Buttonlight", clBtnHighlight},
    {7, "ButtonShadow", clBtnShadow},
    {8, "ButtonDkShadow", cl3DDkShadow},
    {14, "MenuBarText", clMenuText},
    {1, "TitleTextActive", clCaptionText},
    {2, "TitleTextNoActive", clInactiveCaptionText},
}};

TShemeColors DefaultSchemeColors() {
    TShemeColors c{};
    for (const TSchemeColorKey& k : kSchemeColorKeys)
        c[std::size_t(k.index)] = k.fallback == kDefaultFromButtonFace ? clBtnFace : k.fallback;
    return c;
}

TColor ParseColorText(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && std::uint8_t(text[b]) <= ' ') ++b;
    while (e > b && std::uint8_t(text[e - 1]) <= ' ') --e;
    text = text.substr(b, e - b);
    if (text.empty()) return clBlack;

    int rgb[3] = {0, 0, 0};
    int k = 1;                 // the component being read, from 1
    std::uint32_t number = 0;  // the pending number, kept modulo 256 as the result takes it
    bool pending = false;
    for (char ch : text) {
        if (ch >= '0' && ch <= '9') {
            number = (number * 10 + std::uint32_t(ch - '0')) % 256;
            pending = true;
        } else if (pending) {
            if (k <= 3) rgb[k - 1] = int(number);
            ++k;
            number = 0;
            pending = false;
        }
    }
    if (k == 3 && pending) rgb[2] = int(number);
    return RGBColor(rgb[0], rgb[1], rgb[2]);
}

const std::vector<std::string>& DefaultSkin3rdRows() {
    static const std::vector<std::string> rows{
        "TCategoryButtons=scrollbar",
        "TPngSpeedbutton=pngspeedbutton",
        "TPngBitBtn=pngbitbtn",
        "TVirtualStringTree=scrollbar",
        "TVirtualDrawTree=scrollbar",
        "TTBXDockablePanel=Panel",
        "TAdvPanelGroup=scrollbar",
        "TComboboxex=combobox",
        "TRxSpeedButton=speedbutton",
        "THTMLViewer=scrollbar",
        "TDBCtrlGrid=scrollbar",
        "TfrSpeedButton=speedbutton",
        "TfrTBButton=speedbutton",
        "TControlBar=Panel",
        "TTBDock=Panel",
        "TTBToolbar=Panel",
        "TImageEnMView=scrollbar",
        "TImageEnView=scrollbar",
        "TAdvMemo=scrollbar",
        "TDBAdvMemo=scrollbar",
        "TcxDBLookupComboBox=combobox",
        "TcxDBComboBox=combobox",
        "TcxDBDateEdit=combobox",
        "TcxDBImageComboBox=combobox",
        "TcxDBCalcEdit=combobox",
        "TcxDBBlobEdit=combobox",
        "TcxDBPopupEdit=combobox",
        "TcxDBFontNameComboBox=combobox",
        "TcxDBShellComboBox=combobox",
        "TRxLookupEdit=combobox",
        "TRxDBLookupCombo=combobox",
        "TRzGroup=panel",
        "TRzButton=button",
        "TRzBitbtn=bitbtn",
        "TRzMenuButton=menubtn",
        "TRzCheckGroup=CheckGroup",
        "TRzRadioGroup=Radiogroup",
        "TRzButtonEdit=Edit",
        "TRzDBRadioGroup=Radiogroup",
        "TRzDBRadioButton=Radiobutton",
        "TRzDateTimeEdit=combobox",
        "TRzColorEdit=combobox",
        "TRzDateTimePicker=combobox",
        "TRzDBDateTimeEdit=combobox",
        "TRzDbColorEdit=combobox",
        "TRzDBDateTimePicker=combobox",
        "TLMDButton=bitbtn",
        "TLMDGroupBox=Groupbox",
        "TDBCheckboxEh=Checkbox",
        "TDBCheckboxEh=Checkbox",
        "TLMDCHECKBOX=Checkbox",
        "TLMDDBCHECKBOX=Checkbox",
        "TLMDRadiobutton=Radiobutton",
        "TLMDCalculator=panel",
        "TLMDGROUPBOX=Panel",
        "TLMDSIMPLEPANEL=Panel",
        "TLMDDBCalendar=Panel",
        "TLMDButtonPanel=Panel",
        "TLMDLMDCalculator=Panel",
        "TLMDHeaderPanel=Panel",
        "TLMDTechnicalLine=Panel",
        "TLMDLMDClock=Panel",
        "TLMDTrackbar=panel",
        "TLMDListCombobox=combobox",
        "TLMDCheckListCombobox=combobox",
        "TLMDHeaderListCombobox=combobox",
        "TLMDImageCombobox=combobox",
        "TLMDColorCombobox=combobox",
        "TLMDFontCombobox=combobox",
        "TLMDFontSizeCombobox=combobox",
        "TLMDFontSizeCombobox=combobox",
        "TLMDPrinterCombobox=combobox",
        "TLMDDriveCombobox=combobox",
        "TLMDCalculatorComboBox=combobox",
        "TLMDTrackBarComboBox=combobox",
        "TLMDCalendarComboBox=combobox",
        "TLMDTreeComboBox=combobox",
        "TLMDRADIOGROUP=radiogroup",
        "TLMDCheckGroup=CheckGroup",
        "TLMDDBRADIOGROUP=radiogroup",
        "TLMDDBCheckGroup=CheckGroup",
        "TLMDCalculatorEdit=edit",
        "TLMDEDIT=Edit",
        "TLMDMASKEDIT=Edit",
        "TLMDBROWSEEDIT=Edit",
        "TLMDEXTSPINEDIT=Edit",
        "TLMDCALENDAREDIT=Edit",
        "TLMDFILEOPENEDIT=Edit",
        "TLMDFILESAVEEDIT=Edit",
        "TLMDCOLOREDIT=Edit",
        "TLMDDBEDIT=Edit",
        "TLMDDBMASKEDIT=Edit",
        "TLMDDBEXTSPINEDIT=Edit",
        "TLMDDBSPINEDIT=Edit",
        "TLMDDBEDITDBLookup=Edit",
        "TLMDEDITDBLookup=Edit",
        "TDBLookupCombobox=Combobox",
        "TWWDBCombobox=Combobox",
        "TWWDBLookupCombo=Combobox",
        "TWWDBCombobox=Combobox",
        "TWWKeyCombo=Combobox",
        "TWWTempKeyCombo=combobox",
        "TWWDBDateTimePicker=Combobox",
        "TWWRADIOGROUP=radiogroup",
        "TWWDBEDIT=Edit",
        "TcxButton=bitbtn",
        "TcxDBRadioGroup=radiogroup",
        "TcxRadioGroup=radiogroup",
        "TcxGroupbox=groupbox",
        "TOVCPICTUREFIELD=Edit",
        "TOVCDBPICTUREFIELD=Edit",
        "TOVCSLIDEREDIT=Edit",
        "TOVCDBSLIDEREDIT=Edit",
        "TOVCSIMPLEFIELD=Edit",
        "TOVCDBSIMPLEFIELD=Edit",
        "TO32DBFLEXEDIT=Edit",
        "TOVCNUMERICFIELD=Edit",
        "TOVCDBNUMERICFIELD=Edit",
    };
    return rows;
}

void FillDefaultSkin3rd(TStringList& list) {
    list.Clear();
    for (const std::string& row : DefaultSkin3rdRows()) list.Add(row);
}

std::string LookupSkin3rd(const TStringList& rows, std::string_view className) {
    const std::string prefix = AsciiLower(className) + "=";
    for (int i = 0; i < rows.Count(); ++i) {
        const std::string lower = AsciiLower(rows[i]);
        if (lower.compare(0, prefix.size(), prefix) == 0) return lower.substr(prefix.size(), 50);
    }
    return {};
}
