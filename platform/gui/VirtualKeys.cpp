#include "platform/gui/VirtualKeys.h"

#include <Qt>
#include <iterator>

namespace {
struct KeyPair {
    int qt;
    WORD vk;
};

constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},         {Qt::Key_Backtab, 9},      {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},      {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},        {Qt::Key_Pause, 19},      {Qt::Key_CapsLock, 20},    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},      {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},       {Qt::Key_Left, 37},       {Qt::Key_Up, 38},          {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},       {Qt::Key_Select, 41},     {Qt::Key_Printer, 42},     {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},      {Qt::Key_Insert, 45},     {Qt::Key_Delete, 46},      {Qt::Key_Help, 47},
    {Qt::Key_Super_L, 91},    {Qt::Key_Super_R, 92},    {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},
    {Qt::Key_F1, 112},        {Qt::Key_F2, 113},        {Qt::Key_F3, 114},         {Qt::Key_F4, 115},
    {Qt::Key_F5, 116},        {Qt::Key_F6, 117},        {Qt::Key_F7, 118},         {Qt::Key_F8, 119},
    {Qt::Key_F9, 120},        {Qt::Key_F10, 121},       {Qt::Key_F11, 122},        {Qt::Key_F12, 123},
    {Qt::Key_NumLock, 144},   {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186}, {Qt::Key_Equal, 187},     {Qt::Key_Comma, 188},      {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},    {Qt::Key_Slash, 191},     {Qt::Key_QuoteLeft, 192},  {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221}, {Qt::Key_Apostrophe, 222},
};
}  // namespace

WORD VirtualKeyOf(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return static_cast<WORD>(qtKey);  // same codes as ASCII upper case
    for (const auto& k : kKeys)
        if (k.qt == qtKey) return k.vk;
    return 0;
}

int QtKeyOfVirtualKey(WORD vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return vk;
    for (const auto& k : kKeys)
        if (k.vk == vk) return k.qt;
    return 0;
}

TShiftState ShiftStateOf(unsigned qtModifiers) {
    TShiftState s = 0;
    if (qtModifiers & Qt::ShiftModifier) s |= ssShift;
    if (qtModifiers & Qt::AltModifier) s |= ssAlt;
    if (qtModifiers & Qt::ControlModifier) s |= ssCtrl;
    return s;
}
