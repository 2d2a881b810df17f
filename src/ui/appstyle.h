#pragma once
// The application-wide look the pages are laid out for: a compact 8-point sans-serif font.
void InstallApplicationStyle();
