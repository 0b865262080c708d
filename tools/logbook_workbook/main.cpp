// Writes the default logbook workbook with the program's own writer, so the
// file in the program folder is exactly what the program itself produces.

#include "platform/xls/workbook_file.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Entry {
  double frequency;
  const char* date;
  const char* localTime;
  const char* utc;
  const char* station;
  const char* country;
  const char* language;
  const char* sinpo;
  const char* mode;
  const char* remarks;
};

const char* const kColumns[] = {"Frequenz", "Datum", "Ortszeit", "UTC", "Sender", "Land",
                                "Sprache", "SINPO", "Modulation", "Bemerkungen"};

const Entry kExamples[] = {
    {6.0050, "05.03.2024", "19:07", "18:07", "Rundfunk-Relais", "Deutschland", "Deutsch", "45444", "AM",
     "Kurzwelle 49 m, abends gut hörbar"},
    {10.1005, "06.03.2024", "08:15", "07:15", "Wetterdienst Pinneberg", "Deutschland", "RTTY", "55555", "FSK",
     "Wetterberichte, 50 Baud, 450 Hz Shift"},
    {7.4400, "12.03.2024", "21:30", "20:30", "Auslandsdienst", "Rumänien", "Deutsch", "34333", "AM",
     "Sendung über Kultur und Geschichte"},
    {3.9850, "17.03.2024", "22:02", "21:02", "Privatsender", "Deutschland", "Deutsch", "43343", "AM",
     "Nur am Wochenende, Musik der 60er"},
    {13.8600, "23.03.2024", "14:45", "13:45", "Religiöser Sender", "Österreich", "Englisch", "33332", "AM",
     "Schwund, zeitweise Störungen"},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.xls\n", argv[0]);
    return 2;
  }
  using zelvora::xls::Workbook;
  // Widths in 1/256 of a character.
  const std::vector<int> widths = {11 * 256, 11 * 256, 9 * 256, 7 * 256, 24 * 256,
                                   13 * 256, 10 * 256, 8 * 256, 11 * 256, 40 * 256};
  Workbook workbook = Workbook::createEmpty({"Tabelle1"}, widths);
  zelvora::xls::SheetTable* sheet = workbook.sheet("Tabelle1");
  int column = 0;
  for (const char* name : kColumns) workbook.setText(*sheet, 0, column++, name, Workbook::kBoldFormat);
  int row = 1;
  for (const Entry& e : kExamples) {
    workbook.setNumber(*sheet, row, 0, e.frequency, Workbook::kFrequencyFormat);
    const char* texts[] = {e.date, e.localTime, e.utc, e.station, e.country, e.language, e.sinpo, e.mode, e.remarks};
    column = 1;
    for (const char* text : texts) workbook.setText(*sheet, row, column++, text);
    ++row;
  }
  zelvora::xls::WorkbookFile file;
  file.create(argv[1], std::move(workbook));
  if (file.save() != zelvora::xls::FileStatus::Ok) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
