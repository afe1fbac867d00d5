# The words of the English reference that the layout check looks for.
set(TOPICS "arithmetic;powers and logarithms;trigonometric;hyperbolic;probability;integer;random")
set(TOPIC_HEADINGS "Arithmetic;Powers and logarithms;Trigonometric functions;Hyperbolic functions;Probability;Integer functions;Random numbers")
set(KIND_WORDS "text in/out;text out;text;int out;int")  # TEXT_IN_OUT TEXT_OUT TEXT_IN INT_OUT INT_IN
set(SLOTS_LABEL "**Slots:**")
set(HOST_LABEL "**Host:**")
set(SPECIAL_LABEL "**Special values:**")
set(EXAMPLES_LABEL "**Examples:**")
set(SEE_LABEL "**See also:**")
set(SUMMARIES help)  # the summaries are those of the descriptions, word for word
