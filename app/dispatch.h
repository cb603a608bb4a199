// Recognises one command line and carries it out.
#pragma once

#include "board/types.h"
#include "search/records.h"

void DispatchCommand(const char* line, Position& position, char* moves_text, NodeCount* node_count);
// The number after "Hash value " anywhere in the line; -1 when the text does not occur.
int ParseHashValue(const char* line);
