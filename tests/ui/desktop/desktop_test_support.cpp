#include "desktop_test_support.h"

#include <QTimer>

#include "tables/dbf.h"

namespace kvem::test {

namespace {

void WriteTable(const std::filesystem::path& file, std::vector<DbfField> fields,
                std::vector<DbfRecord> records) {
  DbfTable table;
  std::string why;
  if (!DbfTable::Create(std::move(fields), table, &why)) qFatal("%s", why.c_str());
  for (DbfRecord& record : records) table.AddRecord(std::move(record));
  RecordingMessenger messenger;
  if (!WriteDbfTable(file, table, messenger)) qFatal("cannot write %s", file.c_str());
}

}  // namespace

TestApp::TestApp() {
  root = std::filesystem::temp_directory_path() /
         ("kvem-desktop-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
          std::to_string(reinterpret_cast<std::uintptr_t>(this)));
  const std::filesystem::path data = root / "Kvem" / "Data";
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(root / "Tmp");
  WriteTable(data / "Kvem_Te.CZ.dbf",
             {{"MISTO", 'C', 30, 0}, {"VYSKA", 'N', 5, 0}, {"TE", 'N', 4, 0}, {"VITR", 'C', 3, 0}},
             {{"Brno", "227", "-12", "no"}, {"Praha", "191", "-12", "no"},
              {"Ostrava", "217", "-15", "yes"}});
  WriteTable(data / "Kvem_TiOb.CZ.dbf",
             {{"MISTNOST", 'C', 30, 0}, {"TI", 'N', 3, 0}, {"VLHKOST", 'N', 3, 0}},
             {{"Obývací pokoj", "20", "50"}, {"Koupelna", "24", "60"}});
  WriteTable(data / "Kvem_StK.CZ.dbf",
             {{"KONSTR", 'C', 40, 0}, {"TLOUSTKA", 'N', 4, 0}, {"HMOTNOST", 'N', 5, 0},
              {"K", 'N', 6, 3}},
             {{"Cihla 440", "440", "800", "0.350"}, {"Strop", "250", "1200", "0.500"}});
  WriteTable(data / "Kvem_OtK.CZ.dbf", {{"OTVOR", 'C', 30, 0}, {"K", 'N', 6, 3}},
             {{"Okno plast", "1.200"}});
  WriteTable(data / "Kvem_OtI.CZ.dbf", {{"OTVOR", 'C', 30, 0}, {"I", 'N', 6, 3}},
             {{"Okno plast", "0.400"}});
  WriteTable(data / "Kvem_Ot.CZ.dbf",
             {{"OTVOR", 'C', 30, 0}, {"SIRKA", 'N', 5, 0}, {"VYSKA", 'N', 5, 0},
              {"K", 'N', 6, 3}, {"I", 'N', 6, 3}, {"SPARA", 'N', 6, 0}},
             {{"Okno 900", "900", "1200", "1.100", "0.400", "4200"},
              {"Okno 1200", "1200", "1500", "1.200", "0.400", "5400"}});

  Settings settings = Settings::InMemory();
  settings.WriteMainForSetup(kPathMain, root.string());
  settings.WriteMainForSetup(kPathTmp, (root / "Tmp").string());
  settings.WriteMainForSetup(kLanguageVersion, "CZ");
  app = std::make_unique<Application>(std::move(settings), messenger, '.');
}

TestApp::~TestApp() {
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}

void OnNextDialog(std::function<void(QDialog*)> fn) {
  QWidget* before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, before, fn] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog == before || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    fn(dialog);
  });
  timer->start();
}

void Type(QWidget* dialog, const char* edit, const QString& text) {
  QLineEdit* line = Child<QLineEdit>(dialog, edit);
  line->setFocus();
  line->selectAll();
  bool ascii = true;
  for (QChar c : text) ascii = ascii && c.unicode() < 128;
  if (text.isEmpty()) {
    QTest::keyClick(line, Qt::Key_Delete);
  } else if (ascii) {
    QTest::keyClicks(line, text);
  } else {
    line->insert(text);  // key clicks carry ASCII only
  }
}

void Click(QWidget* dialog, const char* button) {
  // click() rather than a mouse event: a radio button takes clicks only on its
  // label, which need not be the middle of a stretched widget.
  Child<QAbstractButton>(dialog, button)->click();
}

}  // namespace kvem::test
