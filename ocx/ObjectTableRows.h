// Row indexes of the library's object table.
#pragma once

enum ObjectTableRow {
    QvFrameTableRow = 0,
    QvPanelTableRow = 1,
    QvOptionTableRow = 2,
    QvCheckTableRow = 3,
    QvRibbonTableRow = 4,
    QvCommandTableRow = 5,
    QvDataObjectTableRow = 6,
};
