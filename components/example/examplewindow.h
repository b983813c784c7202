#pragma once

#include "components/splitpanel.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

// A list above a text box in a split panel that fills the window. Shared with the screenshot
// tool, which shows this same window before and after a drag.
inline TSplitPanel* populateExampleWindow(QWidget* window) {
    window->setWindowTitle(QStringLiteral("Split panel"));
    window->resize(320, 240);
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("ListBox1"));
    list->addItems({QStringLiteral("Groceries"), QStringLiteral("Meeting notes"),
                    QStringLiteral("Books to read"), QStringLiteral("Holiday plans")});
    list->setCurrentRow(1);
    auto* text = new QPlainTextEdit;
    text->setObjectName(QStringLiteral("Memo1"));
    text->setPlainText(QStringLiteral("Drag the bar above this box up or down."));
    text->resize(text->width(), 80);
    auto* panel = new TSplitPanel(window, list, text);
    panel->setObjectName(QStringLiteral("SplitPanel1"));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);
    return panel;
}
