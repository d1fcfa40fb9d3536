#pragma once

class BenchTable;

// Each suite measures its figures beside their baselines and adds rows to the table.
void benchStartup(BenchTable &table);
void benchDocuments(BenchTable &table);
void benchPublish(BenchTable &table);
void benchTyping(BenchTable &table);
void benchCompile(BenchTable &table);
void benchViewer(BenchTable &table);
void benchWholeProgram(BenchTable &table);
