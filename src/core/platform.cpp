#include "platform.h"

#include "printing/print_surface.h"

std::unique_ptr<PrintSurface> Platform::defaultPrinterSurface() {
    return nullptr;
}

std::unique_ptr<PrintSurface> Platform::pdfFileSurface(const QString&) {
    return nullptr;
}
