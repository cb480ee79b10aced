#include "heaters/selection.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/numbers.h"
#include "tables/dbf.h"
#include "tables/text_lines.h"

namespace kvem {

// --- The grid ------------------------------------------------------------------

std::pair<const ProductList*, std::size_t> ProductList::Locate(std::size_t row) const {
  const auto end = std::upper_bound(attachedEnds_.begin(), attachedEnds_.end(), row);
  const std::size_t i = static_cast<std::size_t>(end - attachedEnds_.begin());
  const std::size_t first = i == 0 ? rows_.size() : attachedEnds_[i - 1];
  return {&spares_[attached_[i]], row - first};
}

std::string_view ProductList::Text(std::size_t row, Column column) const {
  if (row >= rows_.size()) {
    const auto [part, at] = Locate(row);
    return part->Text(at, column);
  }
  const RowTexts& r = texts_[row];
  const std::size_t c = static_cast<std::size_t>(column);
  const std::size_t begin = c == 0 ? 0 : r.ends[c - 1];
  return std::string_view(text_.get() + r.start + begin, r.ends[c] - begin);
}

void ProductList::Clear() {
  rows_.clear();
  texts_.clear();
  textSize_ = 0;
  attached_.clear();
  attachedEnds_.clear();
  attachedRows_ = 0;
}

void ProductList::ReserveText(std::size_t size) {
  if (size <= textCapacity_) return;
  const std::size_t capacity = std::max(size, 2 * textCapacity_);
  std::unique_ptr<char[]> grown(new char[capacity]);
  if (textSize_ > 0) std::memcpy(grown.get(), text_.get(), textSize_);
  text_ = std::move(grown);
  textCapacity_ = capacity;
}

namespace {

// Copies the n bytes at `from` (sizeof(Word) <= n <= 2 x sizeof(Word)) as
// two words that may overlap.
template <typename Word>
inline void CopyEnds(char* to, const char* from, std::size_t n) {
  Word first;
  Word last;
  std::memcpy(&first, from, sizeof(Word));
  std::memcpy(&last, from + n - sizeof(Word), sizeof(Word));
  std::memcpy(to, &first, sizeof(Word));
  std::memcpy(to + n - sizeof(Word), &last, sizeof(Word));
}

// Copies n bytes; short texts (the common case in a grid row) without a
// library call.
inline void CopyText(char* to, const char* from, std::size_t n) {
  if (n >= 16) {
    std::memcpy(to, from, n);
  } else if (n >= 8) {
    CopyEnds<std::uint64_t>(to, from, n);
  } else if (n >= 4) {
    CopyEnds<std::uint32_t>(to, from, n);
  } else if (n > 0) {
    to[0] = from[0];
    to[n / 2] = from[n / 2];
    to[n - 1] = from[n - 1];
  }
}

}  // namespace

void ProductList::Add(const ListedProduct& product,
                      const std::array<std::string_view, kColumnCount>& texts) {
  if (attachedRows_ > 0) [[unlikely]]
    KeepAttached();
  rows_.push_back(product);
  // A field of a table gives at most 504 bytes; longer texts are cut at the
  // last whole letter within kMaxText, so that a row's ends fit their type.
  std::array<std::string_view, kColumnCount> cut = texts;
  std::size_t total = 0;
  for (std::string_view& text : cut) {
    if (text.size() > kMaxText) [[unlikely]] {
      std::size_t n = kMaxText;
      while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
      text = text.substr(0, n);
    }
    total += text.size();
  }
  ReserveText(textSize_ + total);
  RowTexts row;
  row.start = static_cast<std::uint32_t>(textSize_);
  char* const base = text_.get() + textSize_;
  std::size_t size = 0;
  for (std::size_t c = 0; c < kColumnCount; ++c) {
    CopyText(base + size, cut[c].data(), cut[c].size());
    size += cut[c].size();
    row.ends[c] = static_cast<std::uint16_t>(size);
  }
  textSize_ += size;
  texts_.push_back(row);
}

void ProductList::CopyRows(const ProductList& part) {
  const auto shift = static_cast<std::uint32_t>(textSize_);
  rows_.insert(rows_.end(), part.rows_.begin(), part.rows_.end());
  texts_.reserve(texts_.size() + part.texts_.size());
  for (RowTexts row : part.texts_) {
    row.start += shift;
    texts_.push_back(row);
  }
  ReserveText(textSize_ + part.textSize_);
  if (part.textSize_ > 0) std::memcpy(text_.get() + textSize_, part.text_.get(), part.textSize_);
  textSize_ += part.textSize_;
}

void ProductList::KeepAttached() {
  const std::vector<std::size_t> attached = std::move(attached_);
  attached_.clear();
  attachedEnds_.clear();
  attachedRows_ = 0;
  for (std::size_t i : attached) CopyRows(spares_[i]);
}

void ProductList::AttachSpares(const std::vector<std::size_t>& order) {
  for (std::size_t i : order) {
    if (i >= spares_.size() || spares_[i].empty()) continue;
    attachedRows_ += spares_[i].size();
    attached_.push_back(i);
    attachedEnds_.push_back(rows_.size() + attachedRows_);
  }
}

std::vector<ProductList>& ProductList::Spares(std::size_t count) {
  if (attachedRows_ > 0) KeepAttached();
  if (spares_.size() < count) spares_.resize(count);
  for (std::size_t i = 0; i < count; ++i) spares_[i].Clear();
  return spares_;
}

namespace {

// Below twice this many records a second thread costs more than it saves,
// and the table is listed by one.
constexpr std::size_t kRecordsPerThread = 50000;
// The records a thread takes at a time.
constexpr std::size_t kBlockRecords = 8192;

// Lists the records the reader is limited to.
void ListRecords(DbfReader& reader, const DimensionFilters& filters, ProductList* list) {
  namespace f = product_field;
  ColumnNumbers outputs;
  ColumnNumbers lengths;
  ColumnNumbers widths;
  ColumnNumbers heights;
  ColumnNumbers exponents;
  const auto passes = [&reader](const DimensionFilter& filter, int field, ColumnNumbers& numbers) {
    return !filter.on || filter.Passes(numbers.Read(reader.Text(field)));
  };
  while (reader.Next()) {
    ListedProduct product;
    product.q = outputs.Read(reader.Text(f::kOutput));
    if (!FieldTest(kOpGreater, product.q, 0.0)) continue;
    if (!passes(filters.length, f::kLength, lengths) || !passes(filters.width, f::kWidth, widths) ||
        !passes(filters.height, f::kHeight, heights)) {
      continue;
    }
    product.record = static_cast<std::uint32_t>(reader.index() + 1);
    const std::string_view kind = reader.Text(f::kKind);
    const std::string_view exponent = reader.Text(f::kExponent);
    // The kind is one digit in every catalogue; anything else is read in general.
    product.kind = kind.size() == 1 && kind[0] >= '0' && kind[0] <= '9'
                       ? kind[0] - '0'
                       : static_cast<std::int32_t>(ParseInt32(kind));
    product.exponent = exponents.Read(exponent);
    list->Add(product, {reader.Text(f::kNumber), reader.Text(f::kType), reader.Text(f::kName),
                        reader.Text(f::kPrice), reader.Text(f::kOutput), kind, exponent});
  }
}

}  // namespace

bool ListProducts(const std::filesystem::path& table, const DimensionFilters& filters,
                  ProductList* list, Messenger& messenger) {
  namespace f = product_field;
  list->Clear();
  DbfReader reader;
  if (!reader.Open(table, messenger)) return false;
  if (reader.layout().fieldCount() < f::kLast) {
    messenger.Show("The table\n'" + table.string() + "'\nhas " +
                       std::to_string(reader.layout().fieldCount()) +
                       " fields; a heater product table has at least " + std::to_string(f::kLast) +
                       " (output Q is field 12, the exponent field 18).",
                   kTableErrorCaption, Icon::Stop);
    return false;
  }
  // A large table is listed by two readers side by side: this thread takes
  // blocks of records from the front straight into the list, a second thread
  // takes them from the back into a list per block, until they meet; the
  // back's blocks are then joined in table order. Whatever keeps the second
  // thread from running (its reader cannot open the file again, no thread can
  // be started) leaves the whole table to this one.
  const std::size_t records = reader.announcedRecords();
  if (records >= 2 * kRecordsPerThread && std::thread::hardware_concurrency() > 1) {
    RecordBlocks blocks(records, kBlockRecords);
    RecordingMessenger silent;  // the first reader has shown what there is to show
    DbfReader back;
    std::vector<ProductList>& backLists =
        list->Spares((records + kBlockRecords - 1) / kBlockRecords);
    std::size_t backTaken = 0;
    const auto listBack = [&] {
      std::size_t first = 0;
      std::size_t last = 0;
      while (blocks.TakeBack(first, last)) {
        ProductList& part = backLists[backTaken++];
        if (back.Restrict(first, last)) ListRecords(back, filters, &part);
      }
    };
    if (back.Open(table, silent)) {
      std::thread worker;
      try {
        worker = std::thread(listBack);
      } catch (const std::system_error&) {
        // No thread: this one lists every block from the front.
      }
      std::size_t first = 0;
      std::size_t last = 0;
      while (blocks.TakeFront(first, last)) {
        if (reader.Restrict(first, last)) ListRecords(reader, filters, list);
      }
      if (worker.joinable()) worker.join();
      // The back's blocks were taken last first; they stay where they were
      // listed and follow the front's rows.
      std::vector<std::size_t> order;
      for (std::size_t i = backTaken; i-- > 0;) order.push_back(i);
      list->AttachSpares(order);
      return true;
    }
  }
  ListRecords(reader, filters, list);
  return true;
}

// --- The selection ------------------------------------------------------------------

ProductSelection::ProductSelection(const COtopneTeleso& record, double loss)
    : record_(record), loss_(loss) {}

void ProductSelection::InitialiseControls(long heaters, long elements, bool identical,
                                          bool addAnother) {
  heaters_ = std::max(1L, heaters);
  record_.elements = static_cast<std::int32_t>(
      std::clamp<long>(elements, 0, std::numeric_limits<std::int32_t>::max()));
  identical_ = identical;
  addAnother_ = addAnother;
}

bool ProductSelection::Open(const std::filesystem::path& table, const DimensionFilters& filters,
                            Messenger& messenger) {
  std::string problem = TemperatureProblem(record_.tw, record_.tr, record_.ti);
  if (problem.empty())
    problem = VariantProblem(record_.connection, record_.position, record_.coverage);
  if (problem.empty() && !std::isfinite(loss_)) problem = "The room's heat loss is not a number.";
  if (!problem.empty()) {
    messenger.Show(problem, kModelErrorCaption, Icon::Warning);
    return false;
  }
  if (!ListProducts(table, filters, &products_, messenger)) return false;
  selected_.clear();
  covered_ = 0.0;
  Recompute();
  return true;
}

void ProductSelection::SetHeaters(long heaters) {
  heaters_ = std::max(1L, heaters);
  Recompute();
}

void ProductSelection::SetElements(long elements) {
  record_.elements = static_cast<std::int32_t>(
      std::clamp<long>(elements, 0, std::numeric_limits<std::int32_t>::max()));
  Recompute();
}

void ProductSelection::SetIdentical(bool on) {
  identical_ = on;
  Recompute();
}

void ProductSelection::SetAddAnother(bool on) {
  addAnother_ = on;
  Recompute();
}

void ProductSelection::SetSelection(std::vector<std::size_t> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [this](std::size_t r) { return r >= products_.size(); }),
             rows.end());
  selected_ = std::move(rows);
  Recompute();
}

void ProductSelection::ApplyInterplay() {
  if (selected_.size() > 1 && !identical_) heaters_ = 1;
}

void ProductSelection::ComputeCovered() {
  // The element count is sized against what the previous computation left uncovered.
  const double uncovered = loss_ - covered_;
  double sum = 0.0;
  for (std::size_t row : selected_) {
    const ListedProduct& product = products_[row];
    record_.kind = product.kind;
    record_.exponent = product.exponent;
    double output = product.q;
    if (product.kind == kKindSectional) {
      if (record_.elements < kMinElements && uncovered >= 0.0) {
        if (heaters_ == 0) heaters_ = 1;
        const double count =
            std::floor(uncovered / static_cast<double>(heaters_) / product.q + 0.999);
        record_.elements = static_cast<std::int32_t>(
            std::min(count, static_cast<double>(std::numeric_limits<std::int32_t>::max())));
      }
      output = static_cast<double>(record_.elements) * product.q;
    }
    // A record that has been refused keeps its coefficients; Open() refuses
    // such records, so this only guards extreme exponents of a table.
    RecomputeCoefficients(record_);
    sum += output * record_.Overall();
  }
  if (identical_) sum *= static_cast<double>(heaters_);
  covered_ = sum;
}

void ProductSelection::ComputeBalance() {
  const double difference = covered_ - loss_;
  if (difference >= 0.0) {
    notCovered_ = 0.0;
    stillNeeded_ = 0.0;
    reserve_ = difference;
  } else {
    notCovered_ = std::fabs(difference);
    const double overall = record_.Overall();
    stillNeeded_ = overall != 0.0 ? notCovered_ / overall : notCovered_;
    reserve_ = 0.0;
  }
}

void ProductSelection::Recompute() {
  ApplyInterplay();
  ComputeCovered();
  ComputeBalance();
  if (addAnother_) PickNext();
}

long ProductSelection::NextRow() const {
  double needed = loss_ - covered_;
  if (identical_) needed /= static_cast<double>(heaters_);
  if (record_.kind == kKindSectional && record_.elements > 0) {
    needed /= static_cast<double>(record_.elements);
  }
  const double overall = record_.Overall();
  const double limit = overall != 0.0 ? needed / overall : needed;
  for (std::size_t row = 0; row < products_.size(); ++row) {
    if (!(products_[row].q < limit)) return static_cast<long>(row);
  }
  return -1;
}

void ProductSelection::PickNext() {
  const long row = NextRow();
  if (row < 0) return;
  selected_.assign(1, static_cast<std::size_t>(row));
  ApplyInterplay();
  ComputeCovered();
  ComputeBalance();
}

ModifiedConditionsForm ProductSelection::CoefficientsForm() const {
  COtopneTeleso record = record_;
  if (!selected_.empty()) {
    record.exponent = products_[selected_.front()].exponent;
    record.kind = products_[selected_.front()].kind;
  }
  return ModifiedConditionsForm(record, !selected_.empty());
}

void ProductSelection::TakeCoefficients(const COtopneTeleso& edited) {
  record_ = edited;
  Recompute();
}

std::string ProductSelection::TiText(char separator) const {
  return FormatDouble("%.1f", record_.ti, separator);
}

std::string ProductSelection::TemperaturesText(char separator) const {
  return FormatDouble("%.1f", record_.tw, separator) + "/" +
         FormatDouble("%.1f", record_.tr, separator);
}

std::string ProductSelection::ElementsText() const {
  return FormatLong("%4ld", record_.elements);
}

std::string ProductSelection::BalanceText(double value, char separator) {
  return FormatDouble("%9.1f", value, separator);
}

}  // namespace kvem
