// The Fortran format record taken apart. Parsing builds a small tree of the record's items
// (descriptors, moves and groups with their repeat counts); laying the tree out then walks it
// with a line and a column, the way a runtime walks the format while it reads. Limits keep a
// record such as 99(99(99(99X))) from running away: it is reported instead of expanded.

#include "options/fortran_format.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace wintarvel {

namespace {

constexpr int kMaxNumber = 99999;
constexpr int kMaxFields = 10000;
constexpr int kMaxColumn = 99999;
constexpr int kMaxLines = 1000;
constexpr long kMaxSteps = 1000000;

struct FormatError {
  std::string message;
  int position;  // from 1
};

struct Item {
  enum class Kind { Field, Move, Back, Tab, NewLine, Group };
  Kind kind = Kind::Field;
  int count = 1;  // repeats of a field or group; columns or lines of a move
  char type = 0;
  int width = 0;
  int decimals = 0;
  int position = 0;  // where the item begins in the record
  std::vector<Item> items;
};

bool isDataLetter(char c) {
  return c == 'I' || c == 'F' || c == 'E' || c == 'D' || c == 'G' || c == 'A' || c == 'L';
}

bool takesDecimals(char type) {
  return type == 'F' || type == 'E' || type == 'D' || type == 'G';
}

class Parser {
 public:
  explicit Parser(const std::string& record) : text_(record) {}

  std::vector<Item> parseRecord() {
    if (peek() == '\0') fail("the record is empty", 1);
    if (peek() != '(') fail("a format record begins with (", position());
    ++pos_;
    std::vector<Item> items = parseList();
    if (peek() != '\0') fail("nothing may follow the closing )", position());
    return items;
  }

 private:
  // What may come next inside parentheses. After / : or a scale factor the next item needs no
  // comma before it.
  enum class Expect { FirstItem, Item, Separator, Anything };

  [[noreturn]] static void fail(std::string message, int position) {
    throw FormatError{std::move(message), position};
  }

  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  // The next character that is not a blank, in capitals; '\0' at the end of the record.
  char peek() {
    skipBlanks();
    if (pos_ >= text_.size()) return '\0';
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_])));
  }
  bool digitNext() { return std::isdigit(static_cast<unsigned char>(peek())) != 0; }
  int position() {
    skipBlanks();
    return static_cast<int>(pos_) + 1;
  }
  // The character at the read position as the user typed it.
  std::string typed() {
    skipBlanks();
    return std::string(1, text_[pos_]);
  }

  // Digits, with blanks between them ignored as a Fortran compiler does.
  int number() {
    const int start = position();
    long value = 0;
    while (digitNext()) {
      value = value * 10 + (text_[pos_] - '0');
      if (value > kMaxNumber) fail("the number is too large", start);
      ++pos_;
    }
    return static_cast<int>(value);
  }

  int requiredNumber(const std::string& missing) {
    if (!digitNext()) fail(missing, position());
    return number();
  }

  std::vector<Item> parseList() {
    std::vector<Item> items;
    Expect expect = Expect::FirstItem;
    for (;;) {
      const char c = peek();
      if (c == '\0') fail("a closing ) is missing", position());
      const bool mayClose = expect != Expect::Item;
      if (c == ')' && mayClose) {
        ++pos_;
        return items;
      }
      if (c == ',' && (expect == Expect::Separator || expect == Expect::Anything)) {
        ++pos_;
        expect = Expect::Item;
        continue;
      }
      if (c == ')' || c == ',') fail("an edit descriptor is missing", position());
      if (expect == Expect::Separator && c != '/' && c != ':') {
        fail("a comma or ) is expected", position());
      }
      expect = parseItem(items) ? Expect::Anything : Expect::Separator;
    }
  }

  // Parses one item into `items`; true when the next item may follow without a comma.
  bool parseItem(std::vector<Item>& items) {
    const int start = position();
    const char c = peek();
    if (c == '/') {
      ++pos_;
      items.push_back(makeItem(Item::Kind::NewLine, 1, start));
      return true;
    }
    if (c == ':') {
      ++pos_;
      return true;
    }
    if (c == '\'' || c == '"') {
      skipString();
      return false;
    }
    if (c == '+' || c == '-') {
      ++pos_;
      requiredNumber("a number is missing after the sign");
      if (peek() != 'P') fail("P is expected after a signed scale factor", position());
      ++pos_;
      return true;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) return parseCounted(items, start);
    if (c == '(') {
      parseGroup(items, 1, start);
      return false;
    }
    if (isDataLetter(c)) {
      parseDescriptor(items, 1, start);
      return false;
    }
    ++pos_;
    switch (c) {
      case 'X':
        items.push_back(makeItem(Item::Kind::Move, 1, start));
        return false;
      case 'T':
        parseTab(items, start);
        return false;
      case 'S':  // sign control: S, SP, SS
        if (peek() == 'P' || peek() == 'S') ++pos_;
        return false;
      case 'B':  // blank control: BN, BZ
        if (peek() == 'N' || peek() == 'Z') {
          ++pos_;
          return false;
        }
        fail("B is not an edit descriptor this program reads", start);
      default:
        --pos_;
        fail(typed() + " is not an edit descriptor", start);
    }
  }

  // An item that begins with a number: a repeat count, the columns of nX, a scale factor kP, the
  // length of a Hollerith string nH, or the lines of n/.
  bool parseCounted(std::vector<Item>& items, int start) {
    const int n = number();
    const int at = position();
    const char c = peek();
    if (c == 'P') {
      ++pos_;
      return true;
    }
    if (c == 'X') {
      ++pos_;
      items.push_back(makeItem(Item::Kind::Move, n, start));
      return false;
    }
    if (c == 'H') {
      ++pos_;
      if (text_.size() - pos_ < static_cast<std::size_t>(n)) {
        fail("the text after H is shorter than its count", start);
      }
      pos_ += static_cast<std::size_t>(n);
      return false;
    }
    if (c == 'T') fail("a repeat count cannot stand before T", at);
    if (c != '/' && c != '(' && !isDataLetter(c)) {
      fail("an edit descriptor is missing after the repeat count", at);
    }
    if (n == 0) fail("a repeat count must be at least 1", start);
    if (c == '/') {
      ++pos_;
      items.push_back(makeItem(Item::Kind::NewLine, n, start));
      return true;
    }
    if (c == '(') {
      parseGroup(items, n, start);
    } else {
      parseDescriptor(items, n, start);
    }
    return false;
  }

  void parseGroup(std::vector<Item>& items, int count, int start) {
    ++pos_;  // the opening parenthesis
    Item group = makeItem(Item::Kind::Group, count, start);
    group.items = parseList();
    items.push_back(std::move(group));
  }

  void parseTab(std::vector<Item>& items, int start) {
    const char c = peek();
    if (c == 'L' || c == 'R') {
      ++pos_;
      const std::string name = c == 'L' ? "TL" : "TR";
      const int n = requiredNumber("a count is missing after " + name);
      items.push_back(makeItem(c == 'L' ? Item::Kind::Back : Item::Kind::Move, n, start));
      return;
    }
    const int at = position();
    const int column = requiredNumber("a column is missing after T");
    if (column == 0) fail("the column after T must be at least 1", at);
    items.push_back(makeItem(Item::Kind::Tab, column, start));
  }

  // Iw[.m], Fw.d, Ew.d[Ee], ENw.d, ESw.d, Dw.d, Gw.d[Ee], Aw, Lw.
  void parseDescriptor(std::vector<Item>& items, int count, int start) {
    Item field = makeItem(Item::Kind::Field, count, start);
    field.type = peek();
    std::string name = typed();
    ++pos_;
    if (field.type == 'E' && (peek() == 'N' || peek() == 'S')) {
      name += typed();
      ++pos_;
    }
    const int widthAt = position();
    field.width = requiredNumber("a width is missing after " + name);
    if (field.width == 0) fail("the width after " + name + " must be at least 1", widthAt);
    name += std::to_string(field.width);
    if (field.type == 'I' && peek() == '.') {
      ++pos_;
      requiredNumber("a number is missing after " + name + ".");
    }
    if (takesDecimals(field.type)) {
      if (peek() != '.') {
        fail("a period is missing after " + name + " (as in " + name + ".0)", position());
      }
      ++pos_;
      field.decimals = requiredNumber("the number of decimals is missing after " + name + ".");
      if ((field.type == 'E' || field.type == 'G') && peek() == 'E') {
        ++pos_;
        requiredNumber("the digits of the exponent are missing after E");
      }
    }
    items.push_back(std::move(field));
  }

  // Strings in apostrophes or quotes, with the quote doubled inside: skipped, they read nothing.
  void skipString() {
    const int start = position();
    const char quote = text_[pos_];
    ++pos_;
    for (;;) {
      const std::size_t end = text_.find(quote, pos_);
      if (end == std::string::npos) fail("this string is not closed", start);
      pos_ = end + 1;
      if (pos_ < text_.size() && text_[pos_] == quote) {
        ++pos_;
        continue;
      }
      return;
    }
  }

  static Item makeItem(Item::Kind kind, int count, int position) {
    Item item;
    item.kind = kind;
    item.count = count;
    item.position = position;
    return item;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

// Walks the items with the line and column a runtime would be at.
class Layouter {
 public:
  explicit Layouter(FormatLayout& layout) : layout_(layout) {}

  void run(const std::vector<Item>& items) {
    for (const Item& item : items) step(item);
  }
  int line() const { return line_; }

 private:
  void step(const Item& item) {
    if (++steps_ > kMaxSteps) throw FormatError{"the record repeats too often", item.position};
    switch (item.kind) {
      case Item::Kind::Field:
        for (int r = 0; r < item.count; ++r) place(item);
        break;
      case Item::Kind::Move:
        moveTo(column_ + item.count, item);
        break;
      case Item::Kind::Back:
        column_ = std::max(1, column_ - item.count);
        break;
      case Item::Kind::Tab:
        column_ = item.count;
        break;
      case Item::Kind::NewLine:
        line_ += item.count;
        column_ = 1;
        if (line_ > kMaxLines) {
          throw FormatError{"the record takes more than 1000 lines", item.position};
        }
        break;
      case Item::Kind::Group:
        for (int r = 0; r < item.count; ++r) run(item.items);
        break;
    }
  }

  void place(const Item& item) {
    if (static_cast<int>(layout_.fields.size()) >= kMaxFields) {
      throw FormatError{"the record reads more than 10000 values", item.position};
    }
    layout_.fields.push_back(FormatField{line_, column_, item.width, item.type});
    layout_.decimals.push_back(item.decimals);
    moveTo(column_ + item.width, item);
  }

  void moveTo(int column, const Item& item) {
    if (column > kMaxColumn + 1) {
      throw FormatError{"the record reaches beyond column 99999", item.position};
    }
    column_ = column;
  }

  FormatLayout& layout_;
  int line_ = 1;
  int column_ = 1;
  long steps_ = 0;
};

// "1-14", or "3" for a single column.
std::string columnRange(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

// The runs of columns that line `line` is read from, merged where fields touch or overlap:
// "1-6, 9-14"; empty when the line gives no value. `single` tells whether it is one column.
std::string columnsOfLine(const FormatLayout& layout, int line, bool& single) {
  std::vector<std::pair<int, int>> spans;
  for (const FormatField& f : layout.fields) {
    if (f.line == line) spans.emplace_back(f.column, f.column + f.width - 1);
  }
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<int, int>> merged;
  for (const auto& span : spans) {
    if (!merged.empty() && span.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, span.second);
    } else {
      merged.push_back(span);
    }
  }
  std::string text;
  for (const auto& [first, last] : merged) {
    text += (text.empty() ? "" : ", ") + columnRange(first, last);
  }
  single = merged.size() == 1 && merged.front().first == merged.front().second;
  return text;
}

}  // namespace

FormatLayout ParseFortranFormat(const std::string& record) {
  FormatLayout layout;
  try {
    const std::vector<Item> items = Parser(record).parseRecord();
    Layouter layouter(layout);
    layouter.run(items);
    layout.lines = layouter.line();
  } catch (const FormatError& e) {
    layout = FormatLayout{};
    layout.error = e.message;
    layout.errorPosition = e.position;
  }
  return layout;
}

std::string ExplainFormat(const FormatLayout& layout) {
  if (!layout.error.empty()) {
    return "position " + std::to_string(layout.errorPosition) + ": " + layout.error;
  }
  const std::size_t count = layout.fields.size();
  std::string text = count == 0   ? std::string("reads no values")
                     : count == 1 ? std::string("reads 1 value per record")
                                  : "reads " + std::to_string(count) + " values per record";
  std::string from;
  bool lastLineSingle = false;
  int linesWithValues = 0;
  for (int line = 1; line <= layout.lines; ++line) {
    bool single = false;
    const std::string columns = columnsOfLine(layout, line, single);
    if (columns.empty()) continue;
    ++linesWithValues;
    lastLineSingle = single;
    from += (from.empty() ? "" : " and ") + columns;
    if (layout.lines > 1) from += " of line " + std::to_string(line);
  }
  if (!from.empty()) {
    const bool oneColumn = linesWithValues == 1 && lastLineSingle;
    text += (oneColumn ? " from column " : " from columns ") + from;
  }
  if (layout.lines == 1) return text + ", 1 record per line";
  return text + ", " + std::to_string(layout.lines) + " lines per record";
}

std::string DescriptorText(const FormatField& field, int decimals) {
  std::string text(1, field.type);
  text += std::to_string(field.width);
  if (takesDecimals(field.type)) {
    text += '.';
    text += std::to_string(decimals);
  }
  return text;
}

}  // namespace wintarvel
