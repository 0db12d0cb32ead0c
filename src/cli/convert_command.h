#pragma once

#include <QStringList>

// jirakubo-cli convert IN.moj|IN.mojx OUT.mojx: reads the file as opening it would and
// writes it as saving it would (no backup).
int runConvertCommand(const QStringList& arguments);
