// The recognition of fields over a page of 300 fields in 30 forms, with labels,
// captions and names of the kinds found on submission pages, in several languages.

#include "autofill/FieldRecognizer.h"
#include "autofill/FormWords.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Sample {
    const char* tag;
    const char* type;
    const char* name;
    const char* label;
    const char* placeholder;
    const char* preceding;
};

constexpr Sample kSamples[] = {
    { "input", "text", "TITLE", "", "", "*Title:" },
    { "input", "text", "wpforms[fields][2]", "Website Address", "", "" },
    { "textarea", "", "input_3", "Listing description", "Tell us about your site", "" },
    { "input", "text", "f[tags]", "", "Keywords, separated by commas", "" },
    { "input", "email", "your-email", "Your Email (required)", "", "" },
    { "input", "text", "feld_e", "Vorname", "", "" },
    { "input", "text", "c6", "Nom de famille", "", "" },
    { "select", "", "CATEGORY_ID", "", "", "Category:" },
    { "input", "text", "quiz-1", "What is 3 + 4?", "", "" },
    { "input", "checkbox", "AGREERULES", "I agree with the submission rules", "", "" },
};

PageForms benchPage()
{
    PageForms page;
    constexpr int kForms = 30;
    for (int form = 0; form < kForms; ++form) {
        FormCues cues;
        cues.action = "/submit.php?step=" + std::to_string(form);
        cues.id = "form" + std::to_string(form);
        cues.submitTexts = { "Continue" };
        page.forms.push_back(cues);
        for (const Sample& sample : kSamples) {
            FormField field;
            field.tag = sample.tag;
            field.type = sample.type;
            field.name = sample.name;
            field.id = std::string(sample.name) + "_" + std::to_string(form);
            field.form = form;
            field.cues.label = sample.label;
            field.cues.placeholder = sample.placeholder;
            field.cues.preceding = sample.preceding;
            if (field.tag == "select")
                field.options = { "Choose", "Business", "|_ Business Consulting" };
            page.fields.push_back(field);
        }
    }
    return page;
}

void BM_RecognisePage(benchmark::State& state)
{
    const PageForms page = benchPage();
    const FieldRecognizer& recognizer = FieldRecognizer::shipped();
    for (auto _ : state) {
        PageRecognition recognition = recognizer.recognise(page);
        benchmark::DoNotOptimize(recognition.fields.data());
    }
    state.counters["fields"] = static_cast<double>(page.fields.size());
}
BENCHMARK(BM_RecognisePage)->Unit(benchmark::kMillisecond);

// Reading the shipped word lists and building the recogniser's indexes, once per program.
void BM_BuildRecognizer(benchmark::State& state)
{
    for (auto _ : state) {
        const FieldRecognizer recognizer(FormWords::parse(shippedFormWordsText()));
        benchmark::DoNotOptimize(&recognizer);
    }
}
BENCHMARK(BM_BuildRecognizer)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
