#pragma once

#include <xlsxwriter.h>

// The functions of libxlsxwriter the workbook exports and the statement
// template use, loaded at the first workbook written: see
// LibraryOnFirstUse.h.
struct LibXlsxWriter
{
    decltype(&::workbook_new) workbookNew;
    decltype(&::workbook_add_worksheet) addWorksheet;
    decltype(&::workbook_add_format) addFormat;
    decltype(&::workbook_set_properties) setProperties;
    decltype(&::workbook_close) close;
    decltype(&::format_set_bold) setBold;
    decltype(&::format_set_italic) setItalic;
    decltype(&::format_set_bottom) setBottom;
    decltype(&::format_set_num_format) setNumFormat;
    decltype(&::format_set_bg_color) setBgColor;
    decltype(&::format_set_font_color) setFontColor;
    decltype(&::format_set_text_wrap) setTextWrap;
    decltype(&::worksheet_write_string) writeString;
    decltype(&::worksheet_write_number) writeNumber;
    decltype(&::worksheet_write_blank) writeBlank;
    decltype(&::worksheet_set_column) setColumn;
    decltype(&::worksheet_freeze_panes) freezePanes;
    decltype(&::worksheet_set_landscape) setLandscape;
    decltype(&::worksheet_set_portrait) setPortrait;
    decltype(&::worksheet_set_paper) setPaper;
    decltype(&::worksheet_fit_to_pages) fitToPages;
    decltype(&::worksheet_repeat_rows) repeatRows;
    decltype(&::worksheet_set_footer) setFooter;
};

// The table, or nullptr when libxlsxwriter cannot be loaded (a warning says
// why): the workbook is then not written, as when its file cannot be.
const LibXlsxWriter *libxlsxwriter();

// The table while a workbook is open: the library was loaded to open it.
inline const LibXlsxWriter &xlsx()
{
    return *libxlsxwriter();
}
