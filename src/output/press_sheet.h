#pragma once

// A box of a PDF page in points, origin at the bottom-left corner of the sheet.
struct PdfBox {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
};

// The bleed a print-ready export accepts, in millimetres.
constexpr double kMinBleedMm = 0.0;
constexpr double kMaxBleedMm = 10.0;
constexpr double kDefaultBleedMm = 3.0;

// The sheet a print shop prints one page on: the page exactly as a plain export draws it (the
// trim), the bleed around it, and room beyond the bleed for the crop marks.
struct PressSheet {
    PdfBox media;          // the whole sheet
    PdfBox bleed;          // the trim grown by the bleed on every side
    PdfBox trim;           // the page
    double margin = 0;     // points from each edge of the sheet to the trim
    double markStart = 0;  // points from the trim where each crop mark begins; they end at the edge
    int drawingOffset = 0; // the margin in whole device pixels: where the page's drawing starts
};

// The press sheet of a page of trimWidth x trimHeight points drawn at `dpi`. The margin is a whole
// number of points that is also a whole number of pixels, so that the page's drawing moves by
// exactly the margin from the sheet's top left corner; the sheet is a whole number of points, the
// trim exact (A4 is 595.276 x 841.890 points) and the margins right and below a little wider.
PressSheet ComputePressSheet(double trimWidth, double trimHeight, double bleedMm, int dpi);
