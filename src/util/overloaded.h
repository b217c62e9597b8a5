// One visitor made of several lambdas, one for each type a std::variant may hold.
#pragma once

namespace lentora {

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace lentora
