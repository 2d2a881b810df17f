#pragma once
// The PWM frequency bar and its label on every page that has one: showing puts the bar where the
// image's byte reads, and a move of the bar stores a byte that reads as the position shown.
class QAbstractSlider;
class QLabel;
struct FrequencyBar;

// Shows the frequency byte of a shown image (one the page's rules have settled) without storing
// anything; runs no handler of the bar.
void ShowFrequencyBar(QAbstractSlider *bar, QLabel *label, const FrequencyBar &curve);
// The byte the bar's position stores: one that reads as the position, or the nearest.
int FrequencyBarByte(const QAbstractSlider *bar, const FrequencyBar &curve);
