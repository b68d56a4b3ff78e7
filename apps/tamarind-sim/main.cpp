#include <cstdio>

int main()
{
    std::puts("tamarind-sim");
    return 0;
}
