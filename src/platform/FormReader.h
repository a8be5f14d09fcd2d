#pragma once
// Form descriptions: a text format of our own that lists a window's components as nested
// objects, each with its class, its name and its stored properties.
//
//   object FRM_SPV: TFRM_SPV          // the root: the form being read
//     Caption = 'Проверка эфира'      // strings: '...' ('' is a quote), #1066 codes, + joins
//     Color = clBtnFace               // integers (-5, $FF00), identifiers, True/False
//     Font.Style = [fsBold]           // sets; dotted names reach an owned object's property
//     OnCreate = FormCreate           // an event: a method the root has published
//     object Panel1: TPanel           // a nested object: owned by the root, child of Panel1's
//       Align = alTop                 //   enclosing control
//       Lines = ('one' 'two')         // lists of values
//     end
//     object Holder1: THolder
//       Data = {78DA 0300}            // binary data as hexadecimal digits, spaces ignored
//       Link = Panel1                 // a reference, resolved after the whole text is read
//     end
//   end
//
// Properties are applied in the order they are written, objects created as they appear; then
// the references are resolved, and then every component read gets Loaded(). Every error names
// the line it was found on. The text is UTF-8.

#include "platform/Classes.h"
#include "platform/SysUtils.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace spv::platform {

class EReadError : public Exception {
 public:
  EReadError(int line, const std::string& what);
  int Line() const { return Line_; }

 private:
  int Line_;
};

enum class TValueKind { Integer, Float, String, Ident, Set, List, Binary };

struct TValue {
  TValueKind Kind = TValueKind::Integer;
  std::int64_t Int = 0;
  double Float = 0;
  std::wstring String;
  std::string Ident;              // an identifier, or the element names of a set
  std::vector<std::string> Set;
  std::vector<TValue> List;
  std::vector<std::uint8_t> Binary;
};

template <typename E>
struct TEnumName {
  std::string_view Name;
  E Value;
};

// One "Name = value" line, with typed access that reports a wrong type with its line.
struct TStoredProperty {
  std::string Name;
  TValue Value;
  int Line = 0;

  [[noreturn]] void Fail(const std::string& what) const;

  // The rest of the name after "<object>.", for properties of owned objects ("Font.Name").
  std::optional<std::string_view> Member(std::string_view object) const;

  std::int64_t Integer() const;
  // An integer that fits in int (sizes, positions, indexes).
  int Int() const;
  double Float() const;
  bool Boolean() const;
  const std::wstring& String() const;
  const std::string& Ident() const;
  const std::vector<std::string>& Set() const;
  const std::vector<TValue>& List() const;
  const std::vector<std::uint8_t>& Binary() const;
  // A colour: an integer, a colour name (clRed, clBtnFace) or a system-colour code.
  std::uint32_t Color() const;

  template <typename E>
  E Enum(std::span<const TEnumName<E>> names) const {
    const std::string& ident = Ident();
    for (const auto& n : names)
      if (SameIdent(n.Name, ident)) return n.Value;
    Fail("'" + ident + "' is not a value of " + Name);
  }
  // A set of flags: each element name maps to a bit mask.
  unsigned Flags(std::span<const TEnumName<unsigned>> names) const;
};

class TFormReader {
 public:
  // Reads a description whose top object is `root` itself: its class must be root's class.
  static void ReadInto(TComponent& root, std::string_view text);
  // Creates the top object from the class registry and reads it.
  static std::unique_ptr<TComponent> Create(std::string_view text);

  TComponent& Root() const { return *Root_; }

  // Defers a component reference until the whole description is read. "nil" assigns null.
  void ResolveReference(const TStoredProperty& property, std::function<void(TComponent*)> assign);
  template <typename T>
  void ResolveReference(const TStoredProperty& property, std::function<void(T*)> assign) {
    ResolveReference(property, [property, assign = std::move(assign)](TComponent* c) {
      T* typed = dynamic_cast<T*>(c);
      if (c && !typed)
        property.Fail("component " + c->Name() + " (" + std::string(c->ClassName()) + ") does not fit property " +
                      property.Name);
      assign(typed);
    });
  }
  // The root's published method named by an event property.
  TNotifyEvent Method(const TStoredProperty& property) const;

  class Lexer;

 private:
  struct Fixup {
    TStoredProperty Property;
    std::function<void(TComponent*)> Assign;
  };
  explicit TFormReader(TComponent& root) : Root_(&root) {}
  void ReadObjectBody(Lexer& lexer, TComponent& object);
  void Finish();

  TComponent* Root_;
  std::vector<TComponent*> Read_;
  std::vector<Fixup> Fixups_;
};

}  // namespace spv::platform
