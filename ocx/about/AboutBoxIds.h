// Resource ids of the about box: its dialog template and its items.
#pragma once

#define IDD_ABOUTBOX 100
// The picture item, framed by a double bevel.
#define IDC_ABOUT_PICTURE 101
// The header, in which the maker's name is drawn.
#define IDC_ABOUT_HEADER 102
// Marks where the etched lines start; framed and then hidden.
#define IDC_ABOUT_MARKER 103
// The text items, top to bottom: the product line first.
#define IDC_ABOUT_PRODUCT 104
#define IDC_ABOUT_DESCRIPTION 105
#define IDC_ABOUT_RIGHTS 106
