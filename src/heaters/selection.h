// "Select Products" without its window: the products of a product table that
// pass the dimension filters, the output the selected products give under the
// heater record's conditions, the balance against the room's loss, and the
// pick of the next product. One state object, driven by the dialog and by the
// batch tool alike.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "heaters/catalog.h"
#include "heaters/conditions_form.h"
#include "heaters/heater.h"
#include "platform/messenger.h"

namespace kvem {

// One listed product: its record number in the table and the values the
// selection computes with, read from the grid's "Q [W]", "TT" and "Exp" texts.
struct ListedProduct {
  double q = 0.0;  // W, per element for sectional products
  double exponent = 0.0;
  std::uint32_t record = 0;  // from 1, in table order
  std::int32_t kind = 0;
};

// The grid of "Select Products": the listed products with their texts.
class ProductList {
 public:
  enum Column { kNumber, kType, kName, kPrice, kOutput, kKind, kExponent, kColumnCount };

  std::size_t size() const { return rows_.size() + attachedRows_; }
  bool empty() const { return size() == 0; }
  const ListedProduct& operator[](std::size_t row) const {
    if (row < rows_.size()) return rows_[row];
    const auto [part, at] = Locate(row);
    return part->rows_[at];
  }
  std::string_view Text(std::size_t row, Column column) const;

  void Clear();
  // The longest text a column keeps, in bytes.
  static constexpr std::size_t kMaxText = 9000;

  // Appends a product: the values read from its texts, and the texts in
  // column order, UTF-8 (each cut to kMaxText bytes).
  void Add(const ListedProduct& product, const std::array<std::string_view, kColumnCount>& texts);

  // Working storage for the blocks of rows that a second thread lists: at
  // least `count` empty lists, kept between listings as the list's own
  // storage is, so listing again reuses them.
  std::vector<ProductList>& Spares(std::size_t count);
  // Makes the rows of the spares given (by index, in this order) follow the
  // list's own rows, without copying them. Adding a row later copies them
  // into the list first.
  void AttachSpares(const std::vector<std::size_t>& order);

 private:
  void ReserveText(std::size_t size);
  // Copies the rows of `part` (its own, not those attached to it) after the
  // list's own rows.
  void CopyRows(const ProductList& part);
  // Copies the attached rows into the list's own.
  void KeepAttached();
  // The attached list holding `row`, and the row's place in it.
  std::pair<const ProductList*, std::size_t> Locate(std::size_t row) const;

  std::vector<ListedProduct> rows_;

  // Where the texts of a row lie in text_: the first starts at `start`, and
  // column c ends `ends[c]` bytes after it (kColumnCount x kMaxText fits).
  struct RowTexts {
    std::uint32_t start;
    std::array<std::uint16_t, kColumnCount> ends;
  };
  static_assert(kColumnCount * kMaxText <= 0xFFFF);
  std::vector<RowTexts> texts_;
  std::unique_ptr<char[]> text_;  // the texts of every row, one after the other
  std::size_t textSize_ = 0;
  std::size_t textCapacity_ = 0;
  std::vector<ProductList> spares_;
  std::vector<std::size_t> attached_;      // spares whose rows follow, in order
  std::vector<std::size_t> attachedEnds_;  // the row after each attached spare's last
  std::size_t attachedRows_ = 0;
};

inline constexpr std::array<std::string_view, ProductList::kColumnCount> kProductColumnHeadings = {
    "Number", "Type", "Name", "Price", "Q [W]", "TT", "Exp"};

// Lists the products of a table in table order: Q > 0 and, for each dimension
// filter that is on, the filter passed. The table's messages are shown when
// it cannot be opened or its header is damaged; a table with fewer fields
// than a product table has is refused. False, with `list` empty, on failure.
bool ListProducts(const std::filesystem::path& table, const DimensionFilters& filters,
                  ProductList* list, Messenger& messenger);

class ProductSelection {
 public:
  // The dialog for one room: the heater record (a copy of the project's
  // heater defaults, with the room's Ti) and the room's loss in W.
  ProductSelection(const COtopneTeleso& record, double loss);

  // The spins and check boxes as they stand when the dialog opens.
  void InitialiseControls(long heaters, long elements, bool identical, bool addAnother);

  // Opening: refuses a record the model has no meaning for, lists the
  // products, then computes the covered output and the balance (and picks the
  // next product when "addition of another heater" is ticked). False when the
  // dialog has to close; the reason has been shown.
  bool Open(const std::filesystem::path& table, const DimensionFilters& filters,
            Messenger& messenger);

  const ProductList& products() const { return products_; }
  const COtopneTeleso& record() const { return record_; }
  double loss() const { return loss_; }
  double covered() const { return covered_; }  // "Gain"
  double overall() const { return record_.Overall(); }
  double notCovered() const { return notCovered_; }
  double stillNeeded() const { return stillNeeded_; }  // catalogue output still needed
  double reserve() const { return reserve_; }
  long heaters() const { return heaters_; }
  long elements() const { return record_.elements; }
  bool identical() const { return identical_; }
  bool addAnother() const { return addAnother_; }
  const std::vector<std::size_t>& selectedRows() const { return selected_; }  // from 0, ascending
  double tolerance() const { return tolerance_; }
  void SetTolerance(double value) { tolerance_ = value; }

  // The controls. Each change recomputes the covered output and the balance
  // and, when "addition of another heater" is ticked, picks the next product.
  void SetHeaters(long heaters);  // at least 1
  void SetElements(long elements);
  void SetIdentical(bool on);
  void SetAddAnother(bool on);
  void SetSelection(std::vector<std::size_t> rows);  // rows from 0; unknown rows are dropped

  // "&all heaters identical" is enabled for two or more heaters; the number of
  // elements for a product of kind 1 only.
  bool IdenticalEnabled() const { return heaters_ >= 2; }
  bool ElementsEnabled() const { return record_.kind == kKindSectional; }

  // "Coeffi&cients": the conditions form on the heater record with the
  // exponent and kind of the first selected row (the heater type locked once
  // a product is chosen); on its OK the record takes the edited values and
  // everything is recomputed.
  ModifiedConditionsForm CoefficientsForm() const;
  void TakeCoefficients(const COtopneTeleso& edited);

  // The row the next product pick selects (the first whose Q is not below
  // the output still needed per heater and element, divided by the overall
  // coefficient); -1 when none qualifies.
  long NextRow() const;
  // Selects that row alone and recomputes; nothing when none qualifies.
  void PickNext();

  // Texts as the dialog shows them.
  std::string TiText(char separator) const;                      // "%.1f"
  std::string TemperaturesText(char separator) const;            // "Tin/Tout": "%.1f/%.1f"
  std::string ElementsText() const;                              // "%4ld"
  static std::string BalanceText(double value, char separator);  // "%9.1f"

 private:
  void Recompute();
  void ApplyInterplay();
  void ComputeCovered();
  void ComputeBalance();

  COtopneTeleso record_;
  double loss_ = 0.0;
  double covered_ = 0.0;
  double notCovered_ = 0.0;
  double stillNeeded_ = 0.0;
  double reserve_ = 0.0;
  double tolerance_ = 0.0;
  long heaters_ = 1;
  bool identical_ = false;
  bool addAnother_ = false;
  std::vector<std::size_t> selected_;
  ProductList products_;
};

}  // namespace kvem
