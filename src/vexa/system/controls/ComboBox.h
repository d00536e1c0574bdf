// The combo box (class "COMBOBOX") in its drop-down list kind: a selection field with a button
// that drops a list of items (ComboList.h) below the box, or wherever the parent moves the list
// when it asks for the list's colours. Items may be drawn by the parent (CBS_OWNERDRAWFIXED,
// CBS_OWNERDRAWVARIABLE through WM_MEASUREITEM and WM_DRAWITEM, control type ODT_COMBOBOX);
// variable heights are asked for once per item, when the item is first shown or asked about,
// so that a long list opens as fast as a short one. The parent hears WM_COMMAND notifications
// (CBN_*) in the classic order: CBN_DROPDOWN before the list shows; CBN_SELCHANGE as the user
// moves the selection; CBN_SELENDOK or CBN_SELENDCANCEL, then CBN_CLOSEUP once it has gone.
// A cancelled drop-down puts back the selection it started with. Messages and structures are
// in ControlMessages.h ("Drop-down list").
#pragma once

#include "vexa/system/controls/ControlMessages.h"

namespace vexa::sys {

constexpr const char* kComboBoxClassName = "COMBOBOX";

// Registers "COMBOBOX" and its list's class; true when they are registered (now or before).
bool RegisterComboBoxClass();

// Fills info (its cbSize set by the caller) for a combo box; false for any other window.
bool GetComboBoxInfo(HWND combo, COMBOBOXINFO* info);

}  // namespace vexa::sys
