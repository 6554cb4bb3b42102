// The options of a parser, in order of definition.
#pragma once

#include "options/OptionParser.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace conkit::detail {

using Option = OptionParser::Option;

/// The options of a parser in order of definition. Each option keeps its
/// address while others are added, as findOption's pointers need, and is
/// reached by its place in one step.
class Table {
public:
    /// Iterates over the options themselves.
    template <class Held, class Value> class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Option;
        using difference_type = std::ptrdiff_t;
        using pointer = Value*;
        using reference = Value&;
        explicit Iterator(Held* first) noexcept : at(first) {}
        reference operator*() const noexcept { return **at; }
        pointer operator->() const noexcept { return at->get(); }
        Iterator& operator++() noexcept {
            ++at;
            return *this;
        }
        bool operator==(const Iterator& other) const noexcept { return at == other.at; }
        bool operator!=(const Iterator& other) const noexcept { return at != other.at; }

    private:
        Held* at;
    };
    using value_type = Option;
    using iterator = Iterator<std::unique_ptr<Option>, Option>;
    using const_iterator = Iterator<const std::unique_ptr<Option>, const Option>;

    Table() = default;
    Table(const Table& other) {
        options.reserve(other.options.size());
        for (const auto& option : other.options) {
            options.push_back(std::make_unique<Option>(*option));
        }
    }
    Table(Table&&) noexcept = default;
    Table& operator=(Table other) noexcept {
        options.swap(other.options);
        return *this;
    }
    ~Table() = default;

    [[nodiscard]] std::size_t size() const noexcept { return options.size(); }
    [[nodiscard]] Option& operator[](std::size_t index) noexcept { return *options[index]; }
    [[nodiscard]] const Option& operator[](std::size_t index) const noexcept {
        return *options[index];
    }
    [[nodiscard]] iterator begin() noexcept { return iterator(options.data()); }
    [[nodiscard]] iterator end() noexcept { return iterator(options.data() + options.size()); }
    [[nodiscard]] const_iterator begin() const noexcept { return const_iterator(options.data()); }
    [[nodiscard]] const_iterator end() const noexcept {
        return const_iterator(options.data() + options.size());
    }
    void add(Option option) { options.push_back(std::make_unique<Option>(std::move(option))); }

private:
    std::vector<std::unique_ptr<Option>> options;
};

} // namespace conkit::detail
