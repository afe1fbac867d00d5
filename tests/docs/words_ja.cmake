# The words of the Japanese reference that the layout check looks for.
set(TOPICS "arithmetic;powers and logarithms;trigonometric;hyperbolic;probability;integer;random")
set(TOPIC_HEADINGS "算術;べき乗と対数;三角関数;双曲線関数;確率;整数関数;乱数")
set(KIND_WORDS "テキスト入出力;テキスト出力;テキスト;整数出力;整数")  # TEXT_IN_OUT TEXT_OUT TEXT_IN INT_OUT INT_IN
set(SLOTS_LABEL "**スロット:**")
set(HOST_LABEL "**ホスト:**")
set(SPECIAL_LABEL "**特殊な値:**")
set(EXAMPLES_LABEL "**例:**")
set(SEE_LABEL "**関連項目:**")
set(SUMMARIES own)  # the summaries are translations of the descriptions'
