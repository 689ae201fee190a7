#pragma once

#include "reports/PageReading.h"

#include <QAccessible>
#include <QLabel>
#include <vector>

// The report page on screen: the drawn sheet, and for assistive technology
// the page's words as an accessible document (its paragraphs, and its tables
// as tables with their headers) in reading order.
class ReportPageSheet : public QLabel
{
    Q_OBJECT

public:
    explicit ReportPageSheet(QWidget *parent = nullptr);
    ~ReportPageSheet() override;

    // The page shown: its words and its name ("Report page 1 of 3").
    void setReading(PageReading reading, const QString &pageName);
    const PageReading &reading() const { return m_reading; }
    QString pageName() const { return m_pageName; }

    // What is said of the sheet now: a marked ratio's row, or the page's name.
    // Screen readers hear it as the sheet's new name.
    void announce(const QString &text);
    QString announcement() const { return m_announcement; }

    // The accessible parts of the page, made when a reader first asks for
    // them and dropped with the page; `generation` tells them apart.
    int generation() const { return m_generation; }
    void keepAccessiblePart(QAccessibleInterface *part);

private:
    void dropAccessibleParts();

    PageReading m_reading;
    QString m_pageName;
    QString m_announcement;
    int m_generation = 0;
    std::vector<QAccessible::Id> m_parts;
};
