// A drawing surface that writes a PDF document of several pages, through cairo's PDF surface: the
// design report is drawn on it with the same page and graph routines as the windows and the
// printer, by the command line (no Qt) and the desktop alike.
//
// The surface is a printer page: its pixels are dots of `dotsPerInch` (300 by default), and each
// page is given its size in points (72 to the inch), portrait or landscape. Texts are set in
// Liberation Sans (the face the desktop draws "Arial" and "MS Sans Serif" with; "Arial Narrow"
// and "Impact" in Liberation Sans Narrow, "Courier New" in Liberation Mono), embedded in the
// document as real text that a reader can search and copy. Characters that are not well-formed
// UTF-8, and control characters, are written as '?' and blanks.
#pragma once

#include <optional>
#include <string>

#include "platform/Canvas.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace korvell {

// Paper sizes in points.
struct PaperSize {
    double widthPt = 0;
    double heightPt = 0;
};
inline constexpr PaperSize kA4Paper{595.276, 841.89};
inline constexpr PaperSize kLetterPaper{612, 792};

class PdfCanvas : public Canvas {
  public:
    explicit PdfCanvas(int dotsPerInch = 300);
    ~PdfCanvas() override;
    PdfCanvas(const PdfCanvas&) = delete;
    PdfCanvas& operator=(const PdfCanvas&) = delete;

    // The document's title and author line (its properties, as a reader shows them).
    void setDocumentInfo(const std::string& title, const std::string& creator);

    // Ends the page drawn so far (if any) and starts a blank one of the size given in points;
    // drawing before the first page starts one of A4 portrait.
    void beginPage(PaperSize size);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    bool isPrinter() const override { return true; }
    int dotsPerInch() const override { return m_dpi; }

    void setBrushColor(Color color) override { m_brush = color; }
    void fillRect(int x, int y, int w, int h) override;
    void setPen(Color color, int width) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setFont(const FontSpec& font) override;
    const FontSpec& font() const override { return m_font; }
    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;

    // Pages started so far.
    int pageCount() const { return m_pages; }

    // Ends the last page and the document: the bytes of the PDF file, or none with `error` set
    // when cairo could not write it. The surface draws nothing afterwards.
    std::optional<std::string> finish(std::string& error);

  private:
    void ensurePage();
    void endStroke();
    void applyFont();

    int m_dpi;
    int m_width = 0;
    int m_height = 0;
    int m_pages = 0;
    bool m_finished = false;
    std::string m_bytes;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
    Color m_brush = colors::kWhite;
    Color m_penColor = colors::kBlack;
    int m_penWidth = 1;
    bool m_stroking = false;  // a path of connected lines not yet stroked
    int m_x = 0;
    int m_y = 0;
    FontSpec m_font;
};

// The text with every byte that is not part of well-formed UTF-8 as '?' and every control
// character as a blank: what a text drawing may be given safely.
std::string printableUtf8(std::string_view text);

}  // namespace korvell
