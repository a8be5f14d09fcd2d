#include "platform/FormReader.h"

#include "platform/Graphics.h"

#include <climits>
#include <cmath>

namespace spv::platform {

EReadError::EReadError(int line, const std::string& what)
    : Exception("Line " + std::to_string(line) + ": " + what), Line_(line) {}

namespace {

const char* KindName(TValueKind kind) {
  switch (kind) {
    case TValueKind::Integer: return "an integer";
    case TValueKind::Float: return "a number";
    case TValueKind::String: return "a string";
    case TValueKind::Ident: return "an identifier";
    case TValueKind::Set: return "a set";
    case TValueKind::List: return "a list";
    case TValueKind::Binary: return "binary data";
  }
  return "a value";
}

}  // namespace

void TStoredProperty::Fail(const std::string& what) const { throw EReadError(Line, what); }

std::optional<std::string_view> TStoredProperty::Member(std::string_view object) const {
  const std::string_view name = Name;
  if (name.size() > object.size() + 1 && name[object.size()] == '.' && SameIdent(name.substr(0, object.size()), object))
    return name.substr(object.size() + 1);
  return std::nullopt;
}

#define SPV_EXPECT_KIND(kind)                                                                      \
  if (Value.Kind != (kind))                                                                        \
    Fail(Name + " takes " + KindName(kind) + ", not " + KindName(Value.Kind));

std::int64_t TStoredProperty::Integer() const {
  SPV_EXPECT_KIND(TValueKind::Integer);
  return Value.Int;
}

int TStoredProperty::Int() const {
  const std::int64_t v = Integer();
  if (v < INT_MIN || v > INT_MAX) Fail(Name + " = " + std::to_string(v) + " is out of range");
  return int(v);
}

double TStoredProperty::Float() const {
  if (Value.Kind == TValueKind::Integer) return double(Value.Int);
  SPV_EXPECT_KIND(TValueKind::Float);
  return Value.Float;
}

bool TStoredProperty::Boolean() const {
  const std::string& ident = Ident();
  if (SameIdent(ident, "True")) return true;
  if (SameIdent(ident, "False")) return false;
  Fail(Name + " takes True or False, not " + ident);
}

const std::wstring& TStoredProperty::String() const {
  SPV_EXPECT_KIND(TValueKind::String);
  return Value.String;
}

const std::string& TStoredProperty::Ident() const {
  SPV_EXPECT_KIND(TValueKind::Ident);
  return Value.Ident;
}

const std::vector<std::string>& TStoredProperty::Set() const {
  SPV_EXPECT_KIND(TValueKind::Set);
  return Value.Set;
}

const std::vector<TValue>& TStoredProperty::List() const {
  SPV_EXPECT_KIND(TValueKind::List);
  return Value.List;
}

const std::vector<std::uint8_t>& TStoredProperty::Binary() const {
  SPV_EXPECT_KIND(TValueKind::Binary);
  return Value.Binary;
}

#undef SPV_EXPECT_KIND

std::uint32_t TStoredProperty::Color() const {
  if (Value.Kind == TValueKind::Integer) {
    if (Value.Int < INT32_MIN || Value.Int > INT64_C(0xFFFFFFFF)) Fail(Name + " is not a colour");
    return std::uint32_t(Value.Int);
  }
  if (Value.Kind == TValueKind::Ident) {
    if (auto c = IdentToColor(Value.Ident)) return *c;
    Fail("'" + Value.Ident + "' is not a colour");
  }
  Fail(Name + " takes a colour, not " + std::string(KindName(Value.Kind)));
}

unsigned TStoredProperty::Flags(std::span<const TEnumName<unsigned>> names) const {
  unsigned flags = 0;
  for (const std::string& element : Set()) {
    bool found = false;
    for (const auto& n : names)
      if (SameIdent(n.Name, element)) {
        flags |= n.Value;
        found = true;
        break;
      }
    if (!found) Fail("'" + element + "' is not an element of " + Name);
  }
  return flags;
}

// Splits the text into tokens and keeps the line number of each.
class TFormReader::Lexer {
 public:
  enum class Kind { End, Ident, Integer, Float, String, Symbol };
  struct Token {
    Kind Kind = Kind::End;
    std::string Text;      // identifier or symbol
    std::wstring String;   // string value
    std::int64_t Int = 0;
    double Float = 0;
    int Line = 1;
  };

  explicit Lexer(std::string_view text) : Text_(text) {
    // A byte order mark is no part of the description.
    if (Text_.substr(0, 3) == "\xEF\xBB\xBF") Pos_ = 3;
    Next();
  }

  const Token& Peek() const { return Current_; }
  Token Take() {
    Token t = Current_;
    Next();
    return t;
  }
  [[noreturn]] void Fail(const std::string& what) const { throw EReadError(Current_.Line, what); }

  bool IsSymbol(char c) const { return Current_.Kind == Kind::Symbol && Current_.Text[0] == c; }
  bool IsWord(std::string_view word) const { return Current_.Kind == Kind::Ident && SameIdent(Current_.Text, word); }
  void ExpectSymbol(char c) {
    if (!IsSymbol(c)) Fail(std::string("'") + c + "' expected, found " + Describe());
    Next();
  }
  std::string ExpectIdent(const char* what) {
    if (Current_.Kind != Kind::Ident) Fail(std::string(what) + " expected, found " + Describe());
    return Take().Text;
  }
  std::string Describe() const {
    switch (Current_.Kind) {
      case Kind::End: return "the end of the text";
      case Kind::String: return "a string";
      case Kind::Integer:
      case Kind::Float: return "a number";
      default: return "'" + Current_.Text + "'";
    }
  }

  // Reads hexadecimal digits up to '}' (the '{' already taken), for binary data.
  std::vector<std::uint8_t> ReadBinary() {
    std::vector<std::uint8_t> bytes;
    int high = -1;
    while (true) {
      if (Pos_ >= Text_.size()) throw EReadError(Line_, "'}' missing at the end of binary data");
      const char c = Text_[Pos_++];
      if (c == '}') break;
      if (c == '\n') ++Line_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int digit = HexDigit(c);
      if (digit < 0) throw EReadError(Line_, std::string("'") + c + "' is not a hexadecimal digit");
      if (high < 0) high = digit;
      else {
        bytes.push_back(std::uint8_t(high * 16 + digit));
        high = -1;
      }
    }
    if (high >= 0) throw EReadError(Line_, "binary data has an odd number of digits");
    Next();
    return bytes;
  }

 private:
  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static bool IdentStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
  static bool Digit(char c) { return c >= '0' && c <= '9'; }

  void SkipBlanks() {
    while (Pos_ < Text_.size()) {
      const char c = Text_[Pos_];
      if (c == '\n') {
        ++Line_;
        ++Pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++Pos_;
      } else if (c == '/' && Pos_ + 1 < Text_.size() && Text_[Pos_ + 1] == '/') {
        while (Pos_ < Text_.size() && Text_[Pos_] != '\n') ++Pos_;
      } else {
        break;
      }
    }
  }

  void Next() {
    SkipBlanks();
    Current_ = Token{};
    Current_.Line = Line_;
    if (Pos_ >= Text_.size()) return;
    const char c = Text_[Pos_];
    if (IdentStart(c)) {
      const std::size_t start = Pos_;
      while (Pos_ < Text_.size() && (IdentStart(Text_[Pos_]) || Digit(Text_[Pos_]) || Text_[Pos_] == '.')) ++Pos_;
      Current_.Kind = Kind::Ident;
      Current_.Text = Text_.substr(start, Pos_ - start);
    } else if (Digit(c) || c == '-' || c == '$') {
      ReadNumber();
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else {
      Current_.Kind = Kind::Symbol;
      Current_.Text = std::string(1, c);
      ++Pos_;
    }
  }

  void ReadNumber() {
    bool negative = false;
    if (Text_[Pos_] == '-') {
      negative = true;
      ++Pos_;
    }
    std::uint64_t value = 0;
    bool any = false;
    auto overflow = [&] { throw EReadError(Line_, "number out of range"); };
    if (Pos_ < Text_.size() && Text_[Pos_] == '$') {
      ++Pos_;
      while (Pos_ < Text_.size() && HexDigit(Text_[Pos_]) >= 0) {
        if (value > (UINT64_MAX >> 4)) overflow();
        value = value * 16 + std::uint64_t(HexDigit(Text_[Pos_++]));
        any = true;
      }
    } else {
      const std::size_t start = Pos_;
      while (Pos_ < Text_.size() && Digit(Text_[Pos_])) {
        if (value > (UINT64_MAX - 9) / 10) overflow();
        value = value * 10 + std::uint64_t(Text_[Pos_++] - '0');
        any = true;
      }
      if (any && Pos_ + 1 < Text_.size() && Text_[Pos_] == '.' && Digit(Text_[Pos_ + 1])) {
        ++Pos_;
        while (Pos_ < Text_.size() && (Digit(Text_[Pos_]) || Text_[Pos_] == 'e' || Text_[Pos_] == 'E')) ++Pos_;
        Current_.Kind = Kind::Float;
        Current_.Float = std::stod(std::string(Text_.substr(start, Pos_ - start)));
        if (negative) Current_.Float = -Current_.Float;
        return;
      }
    }
    if (!any) throw EReadError(Line_, "digits expected");
    if (value > std::uint64_t(INT64_MAX) + (negative ? 1 : 0)) overflow();
    Current_.Kind = Kind::Integer;
    Current_.Int = negative ? std::int64_t(0 - value) : std::int64_t(value);
  }

  // Quoted runs of UTF-8 text and #code characters, written one after another.
  void ReadString() {
    Current_.Kind = Kind::String;
    std::string run;
    auto flush = [&] {
      Current_.String += Utf8ToWide(run);
      run.clear();
    };
    while (Pos_ < Text_.size() && (Text_[Pos_] == '\'' || Text_[Pos_] == '#')) {
      if (Text_[Pos_] == '\'') {
        ++Pos_;
        while (true) {
          if (Pos_ >= Text_.size() || Text_[Pos_] == '\n') throw EReadError(Line_, "a string is not closed");
          if (Text_[Pos_] == '\'') {
            if (Pos_ + 1 < Text_.size() && Text_[Pos_ + 1] == '\'') {
              run.push_back('\'');
              Pos_ += 2;
              continue;
            }
            ++Pos_;
            break;
          }
          run.push_back(Text_[Pos_++]);
        }
      } else {
        ++Pos_;
        std::uint32_t code = 0;
        bool any = false;
        while (Pos_ < Text_.size() && Digit(Text_[Pos_])) {
          code = code * 10 + std::uint32_t(Text_[Pos_++] - '0');
          if (code > 0xFFFF) throw EReadError(Line_, "character code out of range");
          any = true;
        }
        if (!any) throw EReadError(Line_, "a character code expected after '#'");
        flush();
        Current_.String.push_back(wchar_t(code));
      }
    }
    flush();
  }

  std::string_view Text_;
  std::size_t Pos_ = 0;
  int Line_ = 1;
  Token Current_;
};

namespace {

TValue ReadValue(TFormReader::Lexer& lexer) {
  using K = TFormReader::Lexer::Kind;
  TValue value;
  const auto& t = lexer.Peek();
  switch (t.Kind) {
    case K::Integer:
      value.Kind = TValueKind::Integer;
      value.Int = lexer.Take().Int;
      return value;
    case K::Float:
      value.Kind = TValueKind::Float;
      value.Float = lexer.Take().Float;
      return value;
    case K::Ident:
      value.Kind = TValueKind::Ident;
      value.Ident = lexer.Take().Text;
      return value;
    case K::String:
      value.Kind = TValueKind::String;
      value.String = lexer.Take().String;
      // Long strings are written in pieces joined by '+'.
      while (lexer.IsSymbol('+')) {
        lexer.Take();
        if (lexer.Peek().Kind != K::String) lexer.Fail("a string expected after '+'");
        value.String += lexer.Take().String;
      }
      return value;
    case K::Symbol:
      if (lexer.IsSymbol('[')) {
        lexer.Take();
        value.Kind = TValueKind::Set;
        while (!lexer.IsSymbol(']')) {
          value.Set.push_back(lexer.ExpectIdent("a set element"));
          if (!lexer.IsSymbol(']')) lexer.ExpectSymbol(',');
        }
        lexer.Take();
        return value;
      }
      if (lexer.IsSymbol('(')) {
        lexer.Take();
        value.Kind = TValueKind::List;
        while (!lexer.IsSymbol(')')) {
          if (lexer.Peek().Kind == K::End) lexer.Fail("')' missing at the end of a list");
          value.List.push_back(ReadValue(lexer));
        }
        lexer.Take();
        return value;
      }
      if (lexer.IsSymbol('{')) {
        value.Kind = TValueKind::Binary;
        value.Binary = lexer.ReadBinary();
        return value;
      }
      break;
    case K::End: break;
  }
  lexer.Fail("a value expected, found " + lexer.Describe());
}

}  // namespace

void TFormReader::ReadObjectBody(Lexer& lexer, TComponent& object) {
  while (true) {
    if (lexer.Peek().Kind == Lexer::Kind::End) lexer.Fail("'end' missing for object " + object.Name());
    if (lexer.IsWord("end")) {
      lexer.Take();
      return;
    }
    if (lexer.IsWord("object")) {
      lexer.Take();
      const int line = lexer.Peek().Line;
      const std::string name = lexer.ExpectIdent("an object name");
      lexer.ExpectSymbol(':');
      const std::string className = lexer.ExpectIdent("a class name");
      const TClassRegistry::Factory* factory = TClassRegistry::Instance().Find(className);
      if (!factory) throw EReadError(line, "class " + className + " is not registered");
      if (!IsValidIdent(name)) throw EReadError(line, "\"" + name + "\" is not a valid component name");
      if (Root_->FindComponent(name) || SameIdent(Root_->Name(), name))
        throw EReadError(line, "a component named " + name + " already exists");
      TComponent* child = (*factory)(Root_);
      Read_.push_back(child);
      child->SetLoadingState(true);
      child->SetName(name);
      child->SetParentComponent(&object);
      ReadObjectBody(lexer, *child);
      continue;
    }
    TStoredProperty property;
    property.Line = lexer.Peek().Line;
    property.Name = lexer.ExpectIdent("a property name or 'object'");
    lexer.ExpectSymbol('=');
    property.Value = ReadValue(lexer);
    if (!object.ReadProperty(property, *this))
      property.Fail(std::string(object.ClassName()) + " has no property " + property.Name);
  }
}

void TFormReader::ResolveReference(const TStoredProperty& property, std::function<void(TComponent*)> assign) {
  property.Ident();  // a reference is written as a name
  Fixups_.push_back({property, std::move(assign)});
}

TNotifyEvent TFormReader::Method(const TStoredProperty& property) const {
  const std::string& name = property.Ident();
  const TNotifyEvent* method = Root_->FindMethod(name);
  if (!method) property.Fail(std::string(Root_->ClassName()) + " has no method " + name);
  return *method;
}

void TFormReader::Finish() {
  for (const Fixup& f : Fixups_) {
    const std::string& name = f.Property.Value.Ident;
    TComponent* target = nullptr;
    if (!SameIdent(name, "nil")) {
      target = SameIdent(name, Root_->Name()) ? Root_ : Root_->FindComponent(name);
      if (!target) f.Property.Fail("no component named " + name + " for " + f.Property.Name);
    }
    f.Assign(target);
  }
  for (TComponent* c : Read_) c->Loaded();
}

void TFormReader::ReadInto(TComponent& root, std::string_view text) {
  RegisterPlatformClasses();
  TFormReader reader(root);
  Lexer lexer(text);
  if (!lexer.IsWord("object")) lexer.Fail("'object' expected at the start of the description");
  lexer.Take();
  const std::string name = lexer.ExpectIdent("an object name");
  lexer.ExpectSymbol(':');
  const int line = lexer.Peek().Line;
  const std::string className = lexer.ExpectIdent("a class name");
  if (!SameIdent(className, root.ClassName()))
    throw EReadError(line, "the description is of " + className + ", not of " + std::string(root.ClassName()));
  reader.Read_.push_back(&root);
  root.SetLoadingState(true);
  try {
    root.SetName(name);
    reader.ReadObjectBody(lexer, root);
    if (lexer.Peek().Kind != Lexer::Kind::End) lexer.Fail("text after the end of the description");
    reader.Finish();
  } catch (...) {
    // What was read stays owned by the root; it only must not look half-loaded.
    for (TComponent* c : reader.Read_) c->SetLoadingState(false);
    throw;
  }
}

std::unique_ptr<TComponent> TFormReader::Create(std::string_view text) {
  RegisterPlatformClasses();
  Lexer lexer(text);
  if (!lexer.IsWord("object")) lexer.Fail("'object' expected at the start of the description");
  lexer.Take();
  lexer.ExpectIdent("an object name");
  lexer.ExpectSymbol(':');
  const int line = lexer.Peek().Line;
  const std::string className = lexer.ExpectIdent("a class name");
  const TClassRegistry::Factory* factory = TClassRegistry::Instance().Find(className);
  if (!factory) throw EReadError(line, "class " + className + " is not registered");
  std::unique_ptr<TComponent> root((*factory)(nullptr));
  ReadInto(*root, text);
  return root;
}

}  // namespace spv::platform
