#include "host/foundation/PropertyList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <plist/plist.h>

#include "host/foundation/Array.h"
#include "host/foundation/Data.h"
#include "host/foundation/Dictionary.h"
#include "host/foundation/LibplistInput.h"
#include "host/foundation/Log.h"
#include "host/foundation/Number.h"
#include "host/foundation/OldStylePropertyList.h"
#include "host/foundation/String.h"
#include "host/foundation/UnicodeText.h"

using rt::Object;
using rt::Ref;

namespace {

// Deeper structures than this are refused rather than risk the stack: whole, before libplist
// reads them, and any deeper part while they are converted.
constexpr int kMaxDepth = 256;
constexpr size_t kMaxBytes = 64u << 20;

// Every string object holds UTF-8, and what it holds must survive being written back, but libplist
// passes on the bytes of a binary list's single-byte strings and of XML text as they are.
std::string textOf(const char* bytes)
{
    std::string_view text = bytes ? bytes : "";
    return isValidUTF8(text) ? std::string(text) : replacingInvalidUTF8(text);
}

Ref<Object> convert(plist_t node, int depth)
{
    if (!node || depth > kMaxDepth)
        return nullptr;
    switch (plist_get_node_type(node)) {
    case PLIST_DICT: {
        auto dict = NSDictionary::createMutable();
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!value) {
                std::free(key);
                break;
            }
            auto converted = convert(value, depth + 1);
            if (key && converted)
                dict->set(textOf(key), converted.get());
            std::free(key);
        }
        std::free(it);
        return dict;
    }
    case PLIST_ARRAY: {
        auto array = NSArray::createMutable();
        uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i)
            if (auto item = convert(plist_array_get_item(node, i), depth + 1))
                array->add(item.get());
        return array;
    }
    case PLIST_STRING:
    case PLIST_KEY: {
        char* s = nullptr;
        plist_get_string_val(node, &s);
        auto result = NSString::create(textOf(s));
        std::free(s);
        return result;
    }
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return NSNumber::withBool(b);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // Negative integers are kept as their two's complement.
        return NSNumber::withInteger(static_cast<int64_t>(v));
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return NSNumber::withDouble(v);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        auto data = NSData::create(bytes, bytes ? length : 0);
        std::free(bytes);
        return data;
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return NSNumber::withDouble(sec + usec / 1e6);
    }
    case PLIST_UID: {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        return NSNumber::withInteger(static_cast<int64_t>(v));
    }
    default:
        return nullptr;
    }
}

plist_t toNode(Object* o, int depth)
{
    if (!o || depth > kMaxDepth)
        return nullptr;
    if (isString(o))
        return plist_new_string(static_cast<NSString*>(o)->str().c_str());
    if (isNumber(o)) {
        auto* n = static_cast<NSNumber*>(o);
        switch (n->kind()) {
        case NSNumber::Kind::Bool:
            return plist_new_bool(n->boolValue());
        case NSNumber::Kind::Integer:
            return plist_new_uint(static_cast<uint64_t>(n->integerValue()));
        case NSNumber::Kind::Real:
            return plist_new_real(n->doubleValue());
        }
    }
    if (isData(o)) {
        auto* d = static_cast<NSData*>(o);
        return plist_new_data(reinterpret_cast<const char*>(d->bytes()), d->length());
    }
    if (isArray(o)) {
        plist_t array = plist_new_array();
        for (auto& item : static_cast<NSArray*>(o)->items())
            if (plist_t child = toNode(item.get(), depth + 1))
                plist_array_append_item(array, child);
        return array;
    }
    if (isDictionary(o)) {
        plist_t dict = plist_new_dict();
        for (auto& [key, value] : static_cast<NSDictionary*>(o)->entries())
            if (plist_t child = toNode(value.get(), depth + 1))
                plist_dict_set_item(dict, toStdString(key.get()).c_str(), child);
        return dict;
    }
    return nullptr;
}

}

bool isBinaryPropertyList(const std::vector<uint8_t>& bytes)
{
    return bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0;
}

namespace {

enum class Form { Binary, XML, OldStyle };

constexpr uint8_t kUTF8ByteOrderMark[] = { 0xEF, 0xBB, 0xBF };

bool startsWithByteOrderMark(std::span<const uint8_t> bytes)
{
    return bytes.size() >= 3 && std::memcmp(bytes.data(), kUTF8ByteOrderMark, 3) == 0;
}

// XML opens with its declaration, a document type, a comment or the plist element, after any
// space. Old-style text may begin with '<' too, but only as data, where a hexadecimal digit, space
// or '>' follows.
bool looksLikeXML(std::span<const uint8_t> bytes)
{
    auto isSpace = [](uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    size_t i = startsWithByteOrderMark(bytes) ? 3 : 0;
    while (i < bytes.size() && isSpace(bytes[i]))
        ++i;
    std::string_view start(reinterpret_cast<const char*>(bytes.data()) + i, std::min<size_t>(bytes.size() - i, 6));
    return start.starts_with("<?") || start.starts_with("<!") || start.starts_with("<plist");
}

Form formOf(std::span<const uint8_t> bytes)
{
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0)
        return Form::Binary;
    return looksLikeXML(bytes) ? Form::XML : Form::OldStyle;
}

PropertyListResult readWithLibplist(std::span<const uint8_t> bytes, Form form)
{
    // libplist does not expect a byte-order mark before the XML declaration.
    if (form == Form::XML && startsWithByteOrderMark(bytes))
        bytes = bytes.subspan(3);
    std::vector<uint8_t> storage;
    std::string refusal;
    auto input = libplistInput(bytes, kMaxDepth, storage, refusal);
    if (!input)
        return { nullptr, refusal };
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(input->data()), static_cast<uint32_t>(input->size()), &root);
    Ref<Object> value = root ? convert(root, 0) : nullptr;
    if (root)
        plist_free(root);
    if (!value)
        return { nullptr,
            form == Form::XML ? "not a well-formed XML property list" : "not a well-formed binary property list" };
    return { std::move(value), {} };
}

}

PropertyListResult readPropertyList(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return { nullptr, "the file is empty" };
    if (bytes.size() > kMaxBytes)
        return { nullptr, "the file is larger than " + std::to_string(kMaxBytes >> 20) + " MB" };
    Form form = formOf(bytes);
    return form == Form::OldStyle ? parseOldStylePropertyList(bytes) : readWithLibplist(bytes, form);
}

Ref<Object> parsePropertyList(const std::vector<uint8_t>& bytes, std::string_view source)
{
    auto result = readPropertyList(bytes);
    if (!result.value)
        hostLog("Property list" + (source.empty() ? std::string() : " " + std::string(source)) + ": " + result.error);
    return std::move(result.value);
}

std::optional<std::vector<uint8_t>> serializePropertyList(Object* o, PropertyListFormat format)
{
    plist_t node = toNode(o, 0);
    if (!node)
        return std::nullopt;
    char* out = nullptr;
    uint32_t length = 0;
    if (format == PropertyListFormat::XML)
        plist_to_xml(node, &out, &length);
    else
        plist_to_bin(node, &out, &length);
    plist_free(node);
    if (!out)
        return std::nullopt;
    std::vector<uint8_t> bytes(out, out + length);
    std::free(out);
    return bytes;
}
