// zel_drawing_sheet [file.png]: renders the drawing layer's demonstration sheet to
// a PNG (drawing-sheet.png in the current folder by default) and prints its path.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "apps/sheet/DrawingSheet.h"

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && std::string(argv[1]).starts_with("-"))) {
    std::cerr << "usage: zel_drawing_sheet [file.png]\n";
    return 2;
  }
  try {
    const std::filesystem::path out =
        std::filesystem::absolute(argc == 2 ? argv[1] : "drawing-sheet.png");
    host::TBitmap sheet(zel::kDrawingSheetWidth, zel::kDrawingSheetHeight);
    zel::PaintDrawingSheet(sheet.Canvas(), sheet.Width(), sheet.Height());
    sheet.SaveToFile(out.string());
    std::cout << out.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "zel_drawing_sheet: " << e.what() << "\n";
    return 1;
  }
}
