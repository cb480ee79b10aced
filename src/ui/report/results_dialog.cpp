#include "ui/report/results_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "app/application.h"
#include "heatloss/results_table.h"
#include "tables/handover.h"
#include "tables/room_table.h"

namespace kvem::ui {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Alignment AlignmentOf(Align align) {
  switch (align) {
    case Align::Left:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Centre:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

ResultsDialog::ResultsDialog(kvem::Application& app, QWidget* parent) : QDialog(parent), app_(app) {
  setWindowTitle(QStringLiteral("Kvem - Results"));
  setObjectName(QStringLiteral("ResultsDialog"));

  table_ = new QTableWidget(0, kResultColumnCount, this);
  table_->setObjectName(QStringLiteral("results"));
  table_->setShowGrid(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setVisible(false);
  table_->setWordWrap(false);
  for (int c = 0; c < kResultColumnCount; ++c) {
    const ResultColumn& column = kResultColumns[static_cast<std::size_t>(c)];
    auto* heading = new QTableWidgetItem(Q(column.heading));
    heading->setTextAlignment(AlignmentOf(column.align));
    table_->setHorizontalHeaderItem(c, heading);
  }
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->horizontalHeader()->setStretchLastSection(true);

  const char sep = app.decimalSeparator();
  const std::vector<ResultRow> rows = MakeResultRows(app.project(), sep);
  table_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    for (int c = 0; c < kResultColumnCount; ++c) {
      auto* item = new QTableWidgetItem(
          Q(rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]).trimmed());
      item->setTextAlignment(AlignmentOf(kResultColumns[static_cast<std::size_t>(c)].align));
      table_->setItem(r, c, item);
    }
  }

  // The list's widths were made for a small dialog font: scale them to the
  // font in use and widen a column whose heading or texts need more, so no
  // heading or room name is cut.
  const double scale = std::max(1.0, table_->fontMetrics().averageCharWidth() / 6.0);
  int totalWidth = 0;
  for (int c = 0; c < kResultColumnCount; ++c) {
    const int base = static_cast<int>(kResultColumns[static_cast<std::size_t>(c)].width * scale);
    const int width =
        std::max({base, static_cast<QAbstractItemView*>(table_)->sizeHintForColumn(c) + 8,
                  table_->horizontalHeader()->sectionSizeHint(c)});
    table_->setColumnWidth(c, width);
    totalWidth += width;
  }

  const ResultFields values = MakeResultFields(app.project(), sep);
  const std::array<std::pair<const char*, const std::string*>, 5> fieldRows = {{
      {"Project:", &values.projectName},
      {"Building:", &values.buildingName},
      {"Volume [m3]:", &values.totalVolume},
      {"Total loss [W]:", &values.totalLoss},
      {"W/m3:", &values.lossPerVolume},
  }};
  auto* fieldGrid = new QGridLayout;
  for (std::size_t i = 0; i < fieldRows.size(); ++i) {
    auto* edit = new QLineEdit(Q(*fieldRows[i].second).trimmed(), this);
    edit->setReadOnly(true);
    edit->setObjectName(QStringLiteral("field%1").arg(i));
    if (i >= 2) edit->setAlignment(Qt::AlignRight);
    fields_[i] = edit;
    auto* label = new QLabel(QString::fromUtf8(fieldRows[i].first), this);
    label->setBuddy(edit);
    // Names on the left, the three totals on the right.
    const int row = i < 2 ? static_cast<int>(i) : static_cast<int>(i) - 2;
    const int column = i < 2 ? 0 : 2;
    fieldGrid->addWidget(label, row, column);
    fieldGrid->addWidget(edit, row, column + 1);
  }
  fieldGrid->setColumnStretch(1, 3);
  fieldGrid->setColumnStretch(3, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ResultsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ResultsDialog::reject);

  // The table view would copy only its current cell; whole rows are wanted.
  table_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_, 1);
  layout->addLayout(fieldGrid);
  layout->addWidget(buttons);
  resize(totalWidth + 60, 520);
}

QString ResultsDialog::SelectedRowsText() const {
  std::set<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedIndexes())
    rows.insert(index.row());
  if (rows.empty()) return {};
  QString text;
  auto line = [&](auto cell) {
    QStringList cells;
    for (int c = 0; c < kResultColumnCount; ++c) cells << cell(c).trimmed();
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  };
  line([&](int c) { return table_->horizontalHeaderItem(c)->text(); });
  for (int r : rows) {
    line([&](int c) { return table_->item(r, c) ? table_->item(r, c)->text() : QString(); });
  }
  return text;
}

void ResultsDialog::CopySelectedRows() const {
  const QString text = SelectedRowsText();
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

bool ResultsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    CopySelectedRows();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void ResultsDialog::accept() {
  Messenger& messenger = app_.messenger();
  const RoomTableLocation location = LocateRoomTable(app_.settings(), messenger);
  // A drawing named by the CAD side's files gets its room table made when it
  // has none yet; without a drawing the missing table is reported.
  HandOverResults(app_.project(), app_.decimalSeparator(), location.path, location.complete,
                  messenger);
  QDialog::accept();
}

}  // namespace kvem::ui
