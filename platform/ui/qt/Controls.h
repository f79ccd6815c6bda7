#pragma once
// Notification codes and check states of the small controls (list box, combo box, edit, check
// box, check list), numbered as the windowing toolkit numbers them. The controls report them to
// their owner through CWnd::NotifyOwner, and only for what the user did: changes made through
// the controls' own functions report nothing.
constexpr int BN_CLICKED = 0;
constexpr int BN_DOUBLECLICKED = 5;
constexpr int CBN_SELCHANGE = 1;
constexpr int LBN_SELCHANGE = 1;
constexpr int LBN_DBLCLK = 2;
constexpr int CLBN_CHKCHANGE = 40;
constexpr int EN_CHANGE = 0x0300;

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Answer of list and combo functions for "no such entry" or "nothing selected".
constexpr int LB_ERR = -1;
constexpr int CB_ERR = -1;
