// A sheet drawn into a PDF file for the command line: A4 with the printable area of a common
// printer (5 mm unprintable on every side), embedded fonts, and optionally the trace of every
// surface call as JSON Lines. Output and trace are replaced only when all went well.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class PrintSurface;

// draw runs on the surface and ends the document itself. Returns a message when nothing
// could be written (then neither file is touched).
std::optional<QString> writeSheetPdf(const QString& output, const QString& trace, const QString& title,
                                     const std::function<void(PrintSurface&)>& draw);
