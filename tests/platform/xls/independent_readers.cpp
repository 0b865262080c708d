#include "independent_readers.h"

#include <freexl.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace zelvora::test {

bool readWithFreexl(const QString& path, int sheetIndex, SeenCells& cells, QString* sheetName) {
  const void* handle = nullptr;
  if (freexl_open(QFile::encodeName(path).constData(), &handle) != FREEXL_OK) return false;
  bool ok = freexl_select_active_worksheet(handle, static_cast<unsigned short>(sheetIndex)) == FREEXL_OK;
  const char* name = nullptr;
  if (ok && sheetName && freexl_get_worksheet_name(handle, static_cast<unsigned short>(sheetIndex), &name) == FREEXL_OK)
    *sheetName = QString::fromUtf8(name);
  unsigned int rows = 0;
  unsigned short columns = 0;
  ok = ok && freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK;
  for (unsigned int r = 0; ok && r < rows; ++r) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue value;
      if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) {
        ok = false;
        break;
      }
      SeenCell cell;
      switch (value.type) {
        case FREEXL_CELL_INT:
          cell = {true, static_cast<double>(value.value.int_value), {}};
          break;
        case FREEXL_CELL_DOUBLE:
          cell = {true, value.value.double_value, {}};
          break;
        case FREEXL_CELL_NULL:
          continue;
        default:
          cell.text = QString::fromUtf8(value.value.text_value);
          break;
      }
      cells[{static_cast<int>(r), static_cast<int>(c)}] = cell;
    }
  }
  freexl_close(handle);
  return ok;
}

namespace {

QString attributesLine(const QXmlStreamAttributes& attributes) {
  QStringList parts;
  for (const auto& a : attributes) parts << a.name().toString() + QLatin1Char('=') + a.value().toString();
  parts.sort();
  return parts.join(QLatin1Char(' '));
}

}  // namespace

bool readWithSsconvert(const QString& path, std::vector<GnumericSheet>& sheets) {
  QTemporaryDir dir;
  const QString xml = dir.filePath(QStringLiteral("out.xml"));
  QProcess ssconvert;
  ssconvert.start(QStringLiteral("ssconvert"),
                  {QStringLiteral("--export-type=Gnumeric_XmlIO:sax:0"), path, xml});
  if (!ssconvert.waitForFinished(60000) || ssconvert.exitCode() != 0) return false;
  QFile file(xml);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QXmlStreamReader reader(&file);
  GnumericSheet* sheet = nullptr;
  bool inStyleRegion = false;
  QString region;
  while (!reader.atEnd()) {
    reader.readNext();
    const QStringView name = reader.name();
    if (reader.isStartElement()) {
      if (name == QLatin1String("Sheet")) {
        sheets.emplace_back();
        sheet = &sheets.back();
      } else if (sheet && name == QLatin1String("Name") && sheet->name.isEmpty() && sheet->cells.empty()) {
        sheet->name = reader.readElementText();
      } else if (sheet && name == QLatin1String("StyleRegion")) {
        inStyleRegion = true;
        region = attributesLine(reader.attributes());
      } else if (sheet && inStyleRegion && (name == QLatin1String("Style") || name == QLatin1String("Font"))) {
        region += QLatin1String(" | ") + attributesLine(reader.attributes());
      } else if (sheet && name == QLatin1String("Cell")) {
        const int row = reader.attributes().value(QLatin1String("Row")).toInt();
        const int col = reader.attributes().value(QLatin1String("Col")).toInt();
        const int type = reader.attributes().value(QLatin1String("ValueType")).toInt();
        const QString text = reader.readElementText();
        SeenCell cell;
        if (type == 30 || type == 40) {
          cell = {true, text.toDouble(), {}};
        } else {
          cell.text = text;
        }
        sheet->cells[{row, col}] = cell;
      }
    } else if (reader.isEndElement() && name == QLatin1String("StyleRegion") && sheet) {
      inStyleRegion = false;
      sheet->styles << region;
    }
  }
  return !reader.hasError();
}

bool ssconvertCsvToXls(const QStringList& csvFiles, const QString& xlsPath) {
  QProcess ssconvert;
  QStringList args{QStringLiteral("--import-type=Gnumeric_stf:stf_csvtab"),
                   QStringLiteral("--export-type=Gnumeric_Excel:excel_biff8")};
  if (csvFiles.size() == 1) {
    args << csvFiles.front() << xlsPath;
  } else {
    args << QStringLiteral("--merge-to=") + xlsPath;
    args << csvFiles;
  }
  ssconvert.start(QStringLiteral("ssconvert"), args);
  return ssconvert.waitForFinished(60000) && ssconvert.exitCode() == 0 && QFileInfo::exists(xlsPath);
}

namespace {

// Cells go in and out as lines of tab-separated texts.
const char* const kXlwtScript = R"(
import sys, xlrd, xlwt
path, sheet_name, mode = sys.argv[1:4]
rows = [line.split('\t') for line in sys.stdin.read().split('\n') if line != '']
if mode == 'append':
    sheet = xlrd.open_workbook(path).sheet_by_name(sheet_name)
    rows = [[sheet.cell_value(r, c) for c in range(sheet.ncols)] for r in range(sheet.nrows)] + rows
book = xlwt.Workbook()
out = book.add_sheet(sheet_name)
for r, row in enumerate(rows):
    for c, value in enumerate(row):
        if value == '':
            continue
        if r > 0 and c == 0 and not isinstance(value, float):
            try:
                value = float(value)
            except ValueError:
                pass
        out.write(r, c, value)
book.save(path)
)";

const char* const kXlrdScript = R"(
import sys, xlrd
sheet = xlrd.open_workbook(sys.argv[1]).sheet_by_name(sys.argv[2])
for r in range(sheet.nrows):
    print('\t'.join(str(v) for v in sheet.row_values(r)))
)";

bool runPython(const QString& script, const QStringList& args, const QByteArray& input, QByteArray* output = nullptr) {
  const QString python = pythonWithXlwtAndXlrd();
  if (python.isEmpty()) return false;
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
  process.setProcessEnvironment(env);
  process.start(python, QStringList{QStringLiteral("-c"), script} + args);
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return false;
  if (output) *output = process.readAllStandardOutput();
  return true;
}

QByteArray tabLines(const SheetRows& rows) {
  QByteArray lines;
  for (const QStringList& row : rows) lines += row.join(QLatin1Char('\t')).toUtf8() + '\n';
  return lines;
}

bool writeRows(const QString& path, const QString& sheetName, const SheetRows& rows, const char* mode) {
  return runPython(QString::fromLatin1(kXlwtScript), {path, sheetName, QString::fromLatin1(mode)}, tabLines(rows));
}

}  // namespace

QString pythonWithXlwtAndXlrd() {
  // The Debian interpreter first: another one on the path may lack the
  // Debian modules.
  static const QString found = [] {
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))}) {
      if (candidate.isEmpty()) continue;
      QProcess probe;
      probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import xlwt, xlrd")});
      if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0) return candidate;
    }
    return QString();
  }();
  return found;
}

bool writeWithXlwt(const QString& path, const QString& sheetName, const SheetRows& rows) {
  return writeRows(path, sheetName, rows, "new");
}

bool appendRowWithXlwt(const QString& path, const QString& sheetName, const QStringList& row) {
  return writeRows(path, sheetName, {row}, "append");
}

bool readWithXlrd(const QString& path, const QString& sheetName, SheetRows& rows) {
  QByteArray output;
  if (!runPython(QString::fromLatin1(kXlrdScript), {path, sheetName}, {}, &output)) return false;
  rows.clear();
  for (const QByteArray& line : output.split('\n'))
    if (!line.isEmpty()) rows.push_back(QString::fromUtf8(line).split(QLatin1Char('\t')));
  return true;
}

}  // namespace zelvora::test
