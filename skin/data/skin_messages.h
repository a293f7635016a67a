// The engine's private window messages. The numbers are fixed: applications send some of them to skinned
// windows, and every skinner answers SM_ISSKINNED with 1. The 0xBCxx ones act only when lParam (or the
// answer) is SkinSignature.
#pragma once

inline constexpr unsigned SM_SKINCHANGE = 0x3401;     // apply the current skin again
inline constexpr unsigned SM_REPAINTFRAME = 0x3502;   // repaint the frame now
inline constexpr unsigned SM_INITSKIN = 0x3503;       // a new form skinner: activate (wParam 0, lParam 1000)
inline constexpr unsigned SM_SETSKINNED = 0x3506;     // wParam > 0 switches a control's skinning on, else off
inline constexpr unsigned SM_BUTTONACTION = 0x3514;   // to the application: a caption button was clicked
inline constexpr unsigned SM_BUTTONVISIBLE = 0x3515;  // to the application: is a caption button shown
inline constexpr unsigned SM_MDIREDRAW = 0x3516;      // to the MDI client: redraw the main form
inline constexpr unsigned SM_RESETSCROLLBAR = 0x3517;  // give a control a new scroll bar skinner
inline constexpr unsigned SM_OPENMENU = 0x3518;        // open the menu-bar item under the screen point lParam
inline constexpr unsigned SM_ISSKINNED = 0x3523;       // answered 1 by every skinner
inline constexpr unsigned SM_PRINTCONTROL = 0xBC4A;    // paint an edit's content into the dc in wParam
inline constexpr unsigned SM_PAINTTODC = 0xBC4B;       // paint the frame or scroll bar into the dc in wParam
inline constexpr unsigned SM_QUERYFORM = 0xBC4D;       // answers SkinSignature when lParam is SkinSignature
inline constexpr unsigned SM_AFTERSKIN = 0xBC4E;       // to the window itself: skinning has finished

inline constexpr int SkinSignature = 16802;  // 0x41A2
