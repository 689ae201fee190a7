#include "core/LibXlsxWriter.h"

#include "core/LibraryOnFirstUse.h"

const LibXlsxWriter *libxlsxwriter()
{
    const auto &loaded =
        libraryOnFirstUse<LibXlsxWriter>("xlsxwriter", 4, [](LibXlsxWriter &f, LibrarySymbols &s) {
            s(f.workbookNew, "workbook_new");
            s(f.addWorksheet, "workbook_add_worksheet");
            s(f.addFormat, "workbook_add_format");
            s(f.setProperties, "workbook_set_properties");
            s(f.close, "workbook_close");
            s(f.setBold, "format_set_bold");
            s(f.setItalic, "format_set_italic");
            s(f.setBottom, "format_set_bottom");
            s(f.setNumFormat, "format_set_num_format");
            s(f.setBgColor, "format_set_bg_color");
            s(f.setFontColor, "format_set_font_color");
            s(f.setTextWrap, "format_set_text_wrap");
            s(f.writeString, "worksheet_write_string");
            s(f.writeNumber, "worksheet_write_number");
            s(f.writeBlank, "worksheet_write_blank");
            s(f.setColumn, "worksheet_set_column");
            s(f.freezePanes, "worksheet_freeze_panes");
            s(f.setLandscape, "worksheet_set_landscape");
            s(f.setPortrait, "worksheet_set_portrait");
            s(f.setPaper, "worksheet_set_paper");
            s(f.fitToPages, "worksheet_fit_to_pages");
            s(f.repeatRows, "worksheet_repeat_rows");
            s(f.setFooter, "worksheet_set_footer");
        });
    return functionsOrNull(loaded, "libxlsxwriter");
}
