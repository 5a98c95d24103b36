#pragma once

class QWidget;

// Every table header under `root` shows its section's full text as a tooltip,
// so a header cut short by a narrow column can still be read.
void installHeaderTips(QWidget *root);
