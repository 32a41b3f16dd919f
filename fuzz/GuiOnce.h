#pragma once

// The picture loader draws through QtGui (fonts for metafile text, pixmaps for pointers): one
// application for the whole run, on the offscreen platform, with its own arguments so that
// libFuzzer's are left alone.
void startGuiOnce();
