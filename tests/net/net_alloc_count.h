#pragma once
// Counts the calling thread's operator new calls between a start and a stop. The replaced
// operators live in net_alloc_count.cpp, their own file, so the compiler never inlines one into a
// caller and pairs a malloc or free it can see with an operator new or delete it cannot.

void StartCountingAllocations();
long StopCountingAllocations();
