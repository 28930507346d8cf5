# The table of zodode cases. Expected outputs are written by hand (or, for
# Base64, by an independent encoder) and kept in data/.

# Command line: help, and usage errors with exit status 2.
zodode_case(help ARGS --help CONTAINS "usage: zodode COMMAND|base64|latin1|demo")
zodode_case(help_command ARGS split --help CONTAINS "usage: zodode split SEP")
zodode_case(version ARGS --version CONTAINS "zodode 1.0.0")
zodode_case(no_command STATUS 2 ERROR "^zodode: missing command")
zodode_case(unknown_command ARGS shout STATUS 2 ERROR "unknown command 'shout'")
zodode_case(unknown_option ARGS trim --shout STATUS 2 ERROR "trim: unknown option '--shout'")
zodode_case(case_without_flag ARGS case STATUS 2 ERROR "exactly one of --upper and --lower")
zodode_case(case_both_flags ARGS case --upper --lower STATUS 2 ERROR "exactly one")
zodode_case(latin1_without_flag ARGS latin1 STATUS 2 ERROR "exactly one of --from and --to")
zodode_case(split_without_sep ARGS split STATUS 2 ERROR "split: missing SEP")
zodode_case(split_long_sep ARGS split ab STATUS 2 ERROR "SEP must be one ASCII character")
zodode_case(join_long_sep ARGS join ab STATUS 2 ERROR "SEP must be one ASCII character")
zodode_case(align_word ARGS align wide STATUS 2 ERROR "WIDTH must be a whole number")
zodode_case(align_negative ARGS align -3 STATUS 2 ERROR "align: unknown option '-3'")
zodode_case(align_too_wide ARGS align 1000001 STATUS 2 ERROR "from 0 to 1000000")
zodode_case(surplus_argument ARGS trim a b STATUS 2 ERROR "unexpected argument 'b'")
zodode_case(demo_takes_no_file ARGS demo file STATUS 2 ERROR "unexpected argument 'file'")
# Every word starting with '-' is an option, but "-" is standard input and
# "--" ends the options.
zodode_case(short_unknown_option ARGS trim -x STATUS 2 ERROR "trim: unknown option '-x'")
zodode_case(unknown_global_option ARGS --shout STATUS 2 ERROR "^zodode: unknown option '--shout'")
zodode_case(option_after_file ARGS trim ${data}/trim_in.txt --x STATUS 2 ERROR "unknown option '--x'")
zodode_case(dash_is_stdin ARGS trim - INPUT ${data}/trim_in.txt EXPECT ${data}/trim_out.txt)
zodode_case(options_end ARGS trim -- -x STATUS 1 ERROR "^zodode: cannot open '-x'")
zodode_case(help_after_options_end ARGS trim -- --help STATUS 1 ERROR "cannot open '--help'")
zodode_case(quiet_not_for_trim ARGS trim --quiet STATUS 2 ERROR "unknown option '--quiet'")

# Bad input: one line, exit status 1.
zodode_case(missing_file ARGS trim ${gen}/absent.txt STATUS 1
            ERROR "^zodode: cannot open '.*absent.txt': No such file or directory\n$")
zodode_case(directory_file ARGS base64 ${data} STATUS 1
            ERROR "^zodode: cannot (open|read) '.*data'")
zodode_case(nul_in_line ARGS trim INPUT ${data}/with_nul.txt STATUS 1
            ERROR "NUL byte at offset 3 of the input")
zodode_case(nul_in_piece ARGS case --upper ${data}/with_nul.txt STATUS 1 ERROR "NUL byte at offset 3")
zodode_case(nul_in_document ARGS rtf --document ${data}/with_nul.txt STATUS 1 ERROR "offset 3")
if(NOT WIN32)
  zodode_case(write_error ARGS base64 ${data}/accents.txt OUTPUT_TO /dev/full STATUS 1
              ERROR "^zodode: cannot write standard output: No space left on device")
endif()

# base64: any bytes, 76-character lines, streamed in whole lines.
zodode_case(base64_one_byte ARGS base64 ${data}/one_byte.txt EXPECT ${data}/one_byte.b64)
zodode_case(base64_nul_bytes ARGS base64 INPUT ${data}/with_nul.txt EXPECT ${data}/with_nul.b64)
zodode_case(base64_empty ARGS base64 INPUT ${data}/empty.txt EXPECT ${data}/empty.txt)
zodode_repeat(${gen}/base64_long.txt ${data}/base64_line.txt 2500 SUFFIX "xy")
file(READ ${data}/base64_line.b64 line)
string(REPEAT "${line}" 2500 lines)
file(WRITE ${gen}/base64_long.b64 "${lines}eHk=\n")
zodode_case(base64_long ARGS base64 - INPUT ${gen}/base64_long.txt EXPECT ${gen}/base64_long.b64)

# rtf: escapes, byte-order mark dropped, a complete document.
zodode_case(rtf_escapes ARGS rtf ${data}/rtf_in.txt EXPECT ${data}/rtf_out.txt)
zodode_case(rtf_document ARGS rtf --document ${data}/document_in.txt
            EXPECT ${data}/document_out.rtf)

# latin1 both ways; what Windows-1252 lacks becomes '?'.
zodode_case(latin1_to ARGS latin1 --to ${data}/latin1_utf8.txt EXPECT ${data}/latin1_bytes.txt
            ERROR "^zodode: 1 character that Latin1 lacks written as '\\?', the first at offset 10 of")
zodode_case(latin1_from ARGS latin1 --from INPUT ${data}/latin1_bytes.txt
            EXPECT ${data}/latin1_back.txt)

# case: accented and Greek letters map in the plain C locale too; ill-formed
# UTF-8 becomes U+FFFD as the library decodes it, also across block borders.
zodode_case(case_upper ARGS case --upper ${data}/accents.txt EXPECT ${data}/accents_upper.txt)
zodode_case(case_lower ARGS case --lower ${data}/accents.txt EXPECT ${data}/accents_lower.txt)
zodode_case(case_invalid_utf8 ARGS case --upper ${data}/invalid.txt
            EXPECT ${data}/invalid_upper.txt
            ERROR "^zodode: 7 ill-formed UTF-8 sequences replaced by U\\+FFFD, the first at offset 1 of")
zodode_repeat(${gen}/case_long.txt ${data}/long_unit.txt 9000)
zodode_repeat(${gen}/case_long_upper.txt ${data}/long_unit_upper.txt 9000)
# 12 ill-formed sequences in each unit, the first at byte 52 of the first.
zodode_case(case_long ARGS case --upper INPUT ${gen}/case_long.txt
            EXPECT ${gen}/case_long_upper.txt
            ERROR "^zodode: 108000 ill-formed UTF-8 sequences replaced by U\\+FFFD, the first at offset 52 of")
zodode_repeat(${gen}/latin1_long.txt ${data}/latin1_utf8.txt 30000 SUFFIX "\n")
zodode_repeat(${gen}/latin1_long.bytes ${data}/latin1_bytes.txt 30000 SUFFIX "\n")
zodode_case(latin1_long ARGS latin1 --to ${gen}/latin1_long.txt EXPECT ${gen}/latin1_long.bytes
            ERROR "^zodode: 30000 characters that Latin1 lacks written as '\\?', the first at offset 10 of")

# split and join, with and without empty fields; long lines go to the
# library in parts, which must not show.
zodode_case(split_dropped ARGS split , ${data}/split_in.txt EXPECT ${data}/split_dropped.txt)
zodode_case(split_kept ARGS split , --keep-empty INPUT ${data}/split_in.txt
            EXPECT ${data}/split_kept.txt)
file(WRITE ${gen}/split_unit.txt "a,,b,")
file(WRITE ${gen}/split_unit_out.txt "a\n\nb\n")
zodode_repeat(${gen}/split_long.txt ${gen}/split_unit.txt 40)
zodode_repeat(${gen}/split_long_out.txt ${gen}/split_unit_out.txt 40)
zodode_case(split_long_line ARGS split , --keep-empty ${gen}/split_long.txt
            EXPECT ${gen}/split_long_out.txt)
zodode_case(join ARGS join , ${data}/join_in.txt EXPECT ${data}/join_out.txt)
zodode_case(join_empty ARGS join , ${data}/empty.txt EXPECT ${data}/empty.txt)
string(REPEAT "x\ny\n" 40 text)
file(WRITE ${gen}/join_long.txt "${text}")
string(REPEAT "x:y:" 39 text)
file(WRITE ${gen}/join_long_out.txt "${text}x:y\n")
zodode_case(join_long ARGS join : ${gen}/join_long.txt EXPECT ${gen}/join_long_out.txt)

# trim and align, line by line.
zodode_case(trim ARGS trim ${data}/trim_in.txt EXPECT ${data}/trim_out.txt)
# U+00E0 ends in byte A0, white space to a Windows-1252 locale.
zodode_case(trim_keeps_utf8 ARGS trim ${data}/trim_a_grave.txt
            EXPECT ${data}/trim_a_grave_out.txt)
zodode_case(align ARGS align 6 ${data}/align_in.txt EXPECT ${data}/align_out.txt)
zodode_case(align_zero ARGS align 0 ${data}/align_in.txt EXPECT ${data}/align_zero.txt)

# Loss: each kind counted on one line with the offset of its first, exit
# status 0; --strict makes it an error with the same lines and the output in
# full, --quiet silences it. A U+FFFD spelled out in the input is no
# ill-formed sequence, but Latin1 lacks it.
set(ill "^zodode: 2 ill-formed UTF-8 sequences replaced by U\\+FFFD, the first at offset 1 of")
set(lacks ".zodode: 2 characters that Latin1 lacks written as '\\?', the first at offset 5 of")
zodode_case(loss_reported ARGS latin1 --to ${data}/lossy.txt EXPECT ${data}/lossy_latin1.txt
            ERROR "${ill}.*${lacks}" LINES 2)
zodode_case(loss_strict ARGS latin1 --strict --to ${data}/lossy.txt
            EXPECT ${data}/lossy_latin1.txt STATUS 1 ERROR "${ill}.*${lacks}" LINES 2)
zodode_case(loss_quiet ARGS latin1 --to --quiet ${data}/lossy.txt EXPECT ${data}/lossy_latin1.txt)
zodode_case(loss_strict_quiet ARGS latin1 --to --quiet --strict ${data}/lossy.txt
            STATUS 1 ERROR "${ill}" LINES 2)
zodode_case(loss_in_rtf ARGS rtf ${data}/invalid.txt ERROR "7 ill-formed UTF-8 sequences")
zodode_case(loss_in_align ARGS align 1 --strict ${data}/invalid.txt STATUS 1
            ERROR "^zodode: 7 ill-formed UTF-8 sequences replaced by U\\+FFFD, the first at offset 1 of")
zodode_case(no_loss_from_latin1 ARGS latin1 --from --strict INPUT ${data}/latin1_bytes.txt
            EXPECT ${data}/latin1_back.txt)

# A byte-order mark at the start is skipped by every UTF-8 decoding command,
# which says so (align would otherwise count it as a character).
set(bom_note "^zodode: skipped the byte-order mark at the start of the input\n$")
zodode_case(bom_case ARGS case --upper ${data}/bom.txt EXPECT ${data}/bom_upper.txt
            ERROR "${bom_note}")
zodode_case(bom_latin1 ARGS latin1 --to ${data}/bom.txt EXPECT ${data}/bom_latin1.txt
            ERROR "${bom_note}")
zodode_case(bom_rtf ARGS rtf ${data}/bom.txt EXPECT ${data}/bom_rtf.txt ERROR "${bom_note}")
zodode_case(bom_align ARGS align 5 ${data}/bom.txt EXPECT ${data}/bom_align5.txt
            ERROR "${bom_note}")
zodode_case(bom_quiet ARGS align --quiet 5 --strict ${data}/bom.txt EXPECT ${data}/bom_align5.txt)

# RTF: \, { and } escaped and tabs as \tab in both forms; in a document a
# form feed is \page, a vertical tab \line, other controls \'hh, and CR LF
# ends a paragraph.
zodode_case(rtf_document_controls ARGS rtf --document ${data}/document_controls.txt
            EXPECT ${data}/document_controls.rtf)

# CR LF ends a line: padding goes before it, split's fields and join's line
# end without a CR, and the output keeps CR LF; a last line without a line
# end takes the one before it, as does a field of a line whose end is not
# read yet.
zodode_case(crlf_align ARGS align 6 ${data}/crlf_lines.txt EXPECT ${data}/crlf_align6.txt)
zodode_case(crlf_trim ARGS trim ${data}/crlf_lines.txt EXPECT ${data}/crlf_trim.txt)
zodode_case(crlf_join ARGS join : ${data}/crlf_lines.txt EXPECT ${data}/crlf_join.txt)
zodode_case(crlf_split ARGS split , --keep-empty ${data}/crlf_split_in.txt
            EXPECT ${data}/crlf_split_kept.txt)

# Lines far longer than the tool's blocks (64 KB) go through in pieces, which
# must not show: trim holds only white space (a run of over 1 MB goes to a
# temporary file), align counts characters across pieces, split and join
# write fields as they come, rtf --document escapes piece by piece.
string(REPEAT "ab  " 40000 body)
string(REPEAT " " 1200000 run)
file(WRITE ${gen}/trim_long.txt " \t${body}cd \t\r\nx${run}y${run}\n${run}\n")
file(WRITE ${gen}/trim_long_out.txt "${body}cd\r\nx${run}y\n\n")
zodode_case(trim_long_line ARGS trim ${gen}/trim_long.txt EXPECT ${gen}/trim_long_out.txt)
file(READ ${data}/e_acute.txt e_acute)
string(REPEAT "${e_acute}" 100000 accents)
string(REPEAT " " 50000 pad)
# An odd start puts the block's end inside a character.
file(WRITE ${gen}/align_long.txt "x${accents}\r\n${accents}${accents}\n")
file(WRITE ${gen}/align_long_out.txt "x${accents}${pad}\r\n${accents}${accents}\n")
zodode_case(align_long_line ARGS align 150001 ${gen}/align_long.txt
            EXPECT ${gen}/align_long_out.txt)
# The first block (64 KB) ends between the CR and the LF of a line end.
string(REPEAT "a" 65535 block_line)
file(WRITE ${gen}/crlf_at_block_end.txt "${block_line}\r\nb\r\n")
zodode_case(crlf_at_block_end ARGS join , ${gen}/crlf_at_block_end.txt
            CONTAINS "${block_line},b\r\n")
string(REPEAT "x" 200000 field)
file(WRITE ${gen}/split_long_field.txt "a\r\n,${field},,y\r\n${field}")
file(WRITE ${gen}/split_long_field_out.txt "a\r\n\r\n${field}\r\n\r\ny\r\n${field}\r\n")
zodode_case(split_long_field ARGS split , --keep-empty ${gen}/split_long_field.txt
            EXPECT ${gen}/split_long_field_out.txt)
# The first piece of a long line ends just after a separator, and the next
# starts with one: the field before them still gets its line end.
file(WRITE ${gen}/split_at_piece_end.txt "${block_line},,b\n")
file(WRITE ${gen}/split_at_piece_end_out.txt "${block_line}\nb\n")
zodode_case(split_at_piece_end ARGS split , ${gen}/split_at_piece_end.txt
            EXPECT ${gen}/split_at_piece_end_out.txt)
file(WRITE ${gen}/split_at_piece_end_kept.txt "${block_line}\n\nb\n")
zodode_case(split_at_piece_end_kept ARGS split , --keep-empty ${gen}/split_at_piece_end.txt
            EXPECT ${gen}/split_at_piece_end_kept.txt)
string(REPEAT ",,,a" 30000 commas)
file(WRITE ${gen}/split_many_empty.txt "${commas},,\n")
string(REPEAT "a\n" 30000 fields)
file(WRITE ${gen}/split_many_empty_out.txt "${fields}")
zodode_case(split_many_empty ARGS split , ${gen}/split_many_empty.txt
            EXPECT ${gen}/split_many_empty_out.txt)
file(WRITE ${gen}/join_long_lines.txt "a\n${field}\nb\n${field}")
file(WRITE ${gen}/join_long_lines_out.txt "a:${field}:b:${field}\n")
zodode_case(join_long_lines ARGS join : ${gen}/join_long_lines.txt
            EXPECT ${gen}/join_long_lines_out.txt)
string(REPEAT "{${e_acute}}\t" 30000 cells)
string(REPEAT "\\{\\u233?\\}\\tab " 30000 cells_rtf)
file(READ ${data}/document_controls.rtf document)
string(REGEX REPLACE "\n.*" "\n" header "${document}")
file(WRITE ${gen}/rtf_long.txt "${cells}\n")
file(WRITE ${gen}/rtf_long.rtf "${header}${cells_rtf}\\par\n}\n")
zodode_case(rtf_long_line ARGS rtf --document ${gen}/rtf_long.txt EXPECT ${gen}/rtf_long.rtf)

# The demo runs every family and shows results the library computes.
zodode_case(demo ARGS demo
            CONTAINS "Hello There|0.10000000000000000555|SGVsbG8sIHpvZG9kZTMyIQ==|\\u55357?\\u56832?")
