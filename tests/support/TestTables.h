// Helpers shared by the step, method and value tests: tables of contract
// checks, and the library's arrays as standard vectors for comparison.
#ifndef TESTTABLES_H
#define TESTTABLES_H

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "AssertCapture.h"
#include "cow_1DArray.h"
#include "cow_1DArrayList.h"

// One misuse and the exact text of the contract check it fails; the source
// reporting it, when it is not the table's.
struct ContractCase {
    std::function<void()> misuse;
    char const * check;
    char const * source = nullptr;
};

inline void ExpectContractChecks(char const * source, std::vector<ContractCase> const & cases)
{
    for (ContractCase const & c : cases) {
        SCOPED_TRACE(c.check);
        EXPECT_ASSERTION(c.misuse(), c.check, c.source ? c.source : source);
    }
}

template <class T>
std::vector<T> Elements(cow_1DArray<T> const & array)
{
    std::vector<T> elements;
    for (int i = 0; i < array.Length(); ++i)
        elements.push_back(array.ConstGet(i));
    return elements;
}

template <class T, class Arg>
std::vector<T> Elements(cow_1DArrayList<T, Arg> const & list)
{
    std::vector<T> elements;
    for (int i = 0; i < list.Size(); ++i)
        elements.push_back(list.ConstGet(i));
    return elements;
}

#endif
