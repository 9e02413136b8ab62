/* Tarnwick's skin: a quiet face colour, soft borders and one accent for the buttons. */
QWidget#Form1 {
    background-color: palette(button);
}
QGroupBox {
    border: 1px solid #b9c3cf;
    border-radius: 4px;
    margin-top: 10px;
    padding-top: 4px;
    background-color: palette(button);
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 3px;
    color: palette(button-text);
}
QPushButton {
    color: #ffffff;
    background-color: #2f6fb5;
    border: 1px solid #24588f;
    border-radius: 4px;
    padding: 2px 8px;
}
QPushButton:hover {
    background-color: #3a80cc;
}
QPushButton:pressed {
    background-color: #24588f;
}
QPushButton:focus {
    border: 1px solid #f4c542;
}
QTreeView {
    background-color: #ffffff;
    color: #1b1b1b;
    alternate-background-color: #f3f6fa;
    border: 1px solid #b9c3cf;
    selection-background-color: #2f6fb5;
    selection-color: #ffffff;
}
QHeaderView::section {
    background-color: #e4eaf1;
    color: #1d3f6e;
    border: none;
    border-right: 1px solid #c9d2dd;
    border-bottom: 1px solid #c9d2dd;
    padding: 2px 6px;
}
QComboBox QAbstractItemView {
    border: 1px solid #b9c3cf;
    selection-background-color: #2f6fb5;
    selection-color: #ffffff;
}
QCheckBox {
    background-color: palette(button);
    color: palette(button-text);
}
